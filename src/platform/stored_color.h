#pragma once
// The one rule that turns a stored colour code into a colour, for the screen and the printer
// alike: an RGB value with red in the low byte, or a system colour reference (top bit set)
// mapped to the usual light scheme.

#include <QColor>
#include <cstdint>

namespace komasu {

QColor ColorFromCode(int32_t code);

}  // namespace komasu
