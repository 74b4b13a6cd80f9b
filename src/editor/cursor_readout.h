#pragma once
// The cursor position readout above the page: window twips to page millimetres, shown with
// one decimal while the cursor is between the canvas's top left corner and the paper's
// bottom right corner.

#include <QString>
#include <optional>

namespace komasu {

// Twips per page millimetre of the user-facing conversions (x and y differ).
inline constexpr double kTwipsPerMmX = 28.571428;
inline constexpr double kTwipsPerMmY = 27.929292;

struct CursorReadout {
  QString x;  // "211.1 mm"
  QString y;
};

// The two captions for window position (x, y) in twips; nullopt outside the readout area,
// where the captions keep their last text.
std::optional<CursorReadout> ReadCursor(double x, double y);

}  // namespace komasu
