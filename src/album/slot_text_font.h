#pragma once
// The default slot text font of fontinfo.ini applied to slot text lines: what becoming active
// does to the shown page, and what every printed page gets, so all pages of a run print alike.

#include <QStringList>
#include <array>

#include "album/page_content.h"
#include "platform/program_folder.h"

namespace komasu {

// The fontinfo.ini values of `folder` (name, size, strikethrough, bold, italic, colour, …).
QStringList ReadFontInfoValues(const ProgramFolder& folder);

// Applies fontinfo.ini values to the 27 lines: each value that converts replaces its attribute,
// the size minus 5; then the number line of each slot is 8 pt and the line after it 6 pt.
void ApplySlotTextFont(std::array<SlotTextLine, kSlotTextLines>& lines, const QStringList& values);

}  // namespace komasu
