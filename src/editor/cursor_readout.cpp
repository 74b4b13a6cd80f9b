#include "editor/cursor_readout.h"

#include <cmath>

namespace komasu {

namespace {

// One decimal, rounded half away from zero, plus the 10 mm margin; a whole result shows
// without decimals.
QString Caption(double mm_from_canvas) {
  const double tenth = std::round(mm_from_canvas * 10.0) / 10.0;
  return QString::number(tenth + 10.0, 'g', 15) + QStringLiteral(" mm");
}

}  // namespace

std::optional<CursorReadout> ReadCursor(double x, double y) {
  const double from_canvas_x = (x - 6480) / kTwipsPerMmX;
  const double from_canvas_y = (y - 1080) / kTwipsPerMmY;
  if (!(from_canvas_x >= 0 && (x - 6240) / kTwipsPerMmX <= 210 && from_canvas_y >= 0 &&
        (y - 840) / kTwipsPerMmY <= 297)) {
    return std::nullopt;
  }
  return CursorReadout{Caption(from_canvas_x), Caption(from_canvas_y)};
}

}  // namespace komasu
