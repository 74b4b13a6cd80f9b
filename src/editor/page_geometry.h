#pragma once
// Fixed geometry of the page view in window twips: the paper outline, the page canvas, the
// text line rows of the three slots and the slot marker bars.

#include <QColor>
#include <QRectF>

namespace komasu {

inline constexpr QRectF kPaperOutline(6240, 840, 6000, 8295);
inline constexpr QRectF kPageCanvas(6480, 1080, 5520, 7815);
// The area the page view shows: the paper with a margin and the cursor readout above it.
inline constexpr QRectF kPageViewArea(6000, 480, 7200, 8775);
inline constexpr QPointF kReadoutX(10560, 600);
inline constexpr QPointF kReadoutY(12000, 600);

// Top of the "No." row of each slot's text column; text line j stands 240 twips below line
// j - 1, the pitch of the rules.
inline constexpr float kSlotRowTops[3] = {1170, 3810, 6480};
inline constexpr float kTextLinePitch = 240;
inline constexpr float kSlotGroupTops[3] = {1120, 3765, 6435};
inline constexpr float kSlotGroupHeight = 2160;

// The number line (line 0) is drawn this far right of its left edge: after the "No." mark.
inline constexpr float kSlotNumberIndent = 360;

inline float SlotTextLineTop(int line) {
  return kSlotRowTops[line / 9] + kTextLinePitch * static_cast<float>(line % 9);
}

// The marker bar of slot s stands between the photo and the text column.
inline QRectF SlotMarkerBar(int slot, float column_left, bool left_bound) {
  const float x = left_bound ? column_left - 240 : column_left + 1245 + 150;
  return QRectF(x, kSlotGroupTops[slot], 90, kSlotGroupHeight);
}

// A stored colour code as a colour: RGB with red in the low byte, or a system colour
// reference (top bit set) mapped to the usual light scheme.
inline QColor ColorFromCode(int32_t code) {
  if (code < 0) {
    switch (code & 0xff) {
      case 5:  // window background
        return Qt::white;
      case 15:  // button face
        return QColor(240, 240, 240);
      default:  // window text and the rest
        return Qt::black;
    }
  }
  return QColor(code & 0xff, (code >> 8) & 0xff, (code >> 16) & 0xff);
}

}  // namespace komasu
