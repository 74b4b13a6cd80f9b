#pragma once
// The fixed geometry of a page in window twips, shared by the album session, the page view and
// the printer: the paper outline, the page canvas, the photo boxes of the three slots, the text
// column and its line rows, and the slot marker bars.

#include <QRectF>

#include "album/layout_settings.h"

namespace komasu {

inline constexpr QRectF kPaperOutline(6240, 840, 6000, 8295);
// The page canvas; printed positions are measured from its top left corner.
inline constexpr QRectF kPageCanvas(6480, 1080, 5520, 7815);
inline constexpr float kCanvasLeft = 6480;
inline constexpr float kCanvasTop = 1080;

// The area the page view shows: the paper with a margin and the cursor readout above it.
inline constexpr QRectF kPageViewArea(6000, 480, 7200, 8775);
inline constexpr QPointF kReadoutX(10560, 600);
inline constexpr QPointF kReadoutY(12000, 600);

// Photo boxes at 100 %: their size, their left edge by page side and the top of each slot.
inline constexpr float kPhotoBoxWidth = 3100;
inline constexpr float kPhotoBoxHeight = 2325;
inline constexpr float kPhotoSlotTops[3] = {1150, 3800, 6470};
inline constexpr float PhotoLeftFor(PageSide side) {
  return side == PageSide::kLeftBound ? 7100 : 8400;
}
inline constexpr float kTwipsPerMm = 28.57142857f;

// The photo box of slot `slot` (1..3) on page `page` as a loaded page places it: by page side,
// the photo offsets and the photo scale of the layout settings.
inline QRectF SlotPhotoBox(const LayoutSettings& layout, int page, int slot) {
  const float scale = static_cast<float>(layout.PhotoScalePercent()) / 100.0f;
  return QRectF(
      PhotoLeftFor(layout.SideFor(page)) + static_cast<float>(layout.PhotoOffsetX()) * kTwipsPerMm,
      kPhotoSlotTops[slot - 1] + static_cast<float>(layout.PhotoOffsetY()) * kTwipsPerMm,
      kPhotoBoxWidth * scale, kPhotoBoxHeight * scale);
}

// The text column: its left edge by page side and its width.
inline constexpr float kTextColumnWidth = 1245;
inline constexpr float ColumnLeftFor(PageSide side) {
  return side == PageSide::kLeftBound ? 10680 : 6555;
}
// Slot text lines start this far right of the column's left edge: the number line after its
// "No." mark area, the other lines indented.
inline constexpr float SlotLineIndent(int line_in_slot) { return line_in_slot == 0 ? 60 : 420; }

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
  const float x = left_bound ? column_left - 240 : column_left + kTextColumnWidth + 150;
  return QRectF(x, kSlotGroupTops[slot], 90, kSlotGroupHeight);
}

}  // namespace komasu
