#pragma once
// A core file that reaches up into the editor: the layer check must refuse it.
#include "editor/editor_controller.h"
