#include "editor/canvas_mode.h"

namespace komasu {

void CanvasMode::ShowOverlay(CanvasPointer pointer) {
  overlay_visible_ = true;
  pointer_ = pointer;
}

void CanvasMode::StartLineDrawing() {
  press_role_ = 1;
  ShowOverlay(CanvasPointer::kCross);
  activity_ = kDrawingLine;
}

void CanvasMode::StartLabelInput(bool free_label_found) {
  press_role_ = kPlaceNewLabel;
  if (free_label_found) ShowOverlay(CanvasPointer::kText);
}

void CanvasMode::FontCommand() { press_role_ = kPlaceNewLabel; }

void CanvasMode::LabelPressed(bool left_button) {
  press_role_ = 1;
  if (!left_button) return;
  activity_ = kLabelSelected;
  overlay_visible_ = true;
}

void CanvasMode::LabelDropRefused() { overlay_visible_ = false; }

void CanvasMode::LabelDialogClosed() {
  overlay_visible_ = false;
  pointer_ = CanvasPointer::kDefault;
}

void CanvasMode::OverlayPress(QPointF point) {
  press_captured_ = true;
  overlay_visible_ = false;
  if (press_role_ == kPlaceNewLabel) handler_->PlaceNewLabel(point);
  if (activity_ == kDrawingLine) line_start_ = point;
}

void CanvasMode::OverlayRelease(QPointF point) {
  if (!press_captured_) return;
  press_captured_ = false;
  // No free line slot: the drawing mode stays, with the overlay over the canvas, so that the
  // next press and release try again.
  if (activity_ == kDrawingLine && !handler_->DrawLine(line_start_, point)) {
    overlay_visible_ = true;
    return;
  }
  overlay_visible_ = false;
  pointer_ = CanvasPointer::kArrow;
  activity_ = kNoMode;
}

void CanvasMode::OverlayClick() { overlay_visible_ = false; }

void CanvasMode::OverlayDrop(QPointF point) {
  if (activity_ == kLabelSelected) handler_->DropLabel(point);
}

}  // namespace komasu
