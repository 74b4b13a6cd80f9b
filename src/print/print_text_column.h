#pragma once
// The printed text column beside the three photos: the "No." marks, the nine slot text lines
// of each slot (cut to 35 mm) and the frame or underline rules, in printer millimetres.

#include <array>
#include <optional>

#include "album/page_content.h"
#include "print/print_surface.h"

namespace komasu {

// The vertical distance of the text lines and rules (single precision, as stored).
inline constexpr double kPrintLinePitch = static_cast<double>(8.7777f);
// A slot text line prints up to its first prefix at least this wide (mm).
inline constexpr double kPrintTextMaxWidth = 35;
// Slot text lines print this many points larger than they are shown.
inline constexpr double kSlotLineExtraPoints = 5;

struct TextColumnPlacement {
  double x0 = 0, y0 = 0;                   // offsets of the page side's set
  double top = 0, middle = 0, bottom = 0;  // per-slot vertical offsets
  double text_shift = 0;                   // S: 0 left-bound, -158.5 right-bound
  double rule_shift = 0;                   // F: 0 left-bound, +3 right-bound
  int pen_width = 1;                       // W, in printer device units
  RuleStyle style = RuleStyle::kUnderline;
};

// Draws the three columns from the slot text lines as shown. The "No." marks keep every font
// attribute and the text colour the surface holds except italic, size and name.
void PrintTextColumn(const std::array<SlotTextLine, kSlotTextLines>& lines,
                     const TextColumnPlacement& at, PrintSurface& surface);

// The text of a slot line as printed: the whole text when narrower than 35 mm, else its
// shortest prefix that is 35 mm wide or more.
QString PrintedLineText(const QString& text, PrintSurface& surface);

// What is left of `text` on paper when a slot line of `style` (as shown) is cut by the column,
// measured as every printer measures; nothing when it prints whole.
std::optional<QString> CutSlotLine(const TextStyle& style, const QString& text);

}  // namespace komasu
