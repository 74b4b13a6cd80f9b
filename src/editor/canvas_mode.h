#pragma once
// The canvas editing mode of the page view without widgets: the two mode values (activity:
// 0 none, 2 label selected, 3 line drawing; press role: 0/1 presses serve the activity, 2 a press
// places a new label), the transparent overlay over the page canvas with its mouse pointer,
// and the press/release protocol through which label and line editing receive canvas input.

#include <QPointF>

namespace komasu {

enum class CanvasPointer { kDefault = 0, kArrow = 1, kCross = 2, kText = 3 };

// What the canvas modes hand on to label and line editing. Points are overlay coordinates:
// twips from the canvas's top left corner.
class CanvasModeHandler {
 public:
  virtual ~CanvasModeHandler() = default;
  // A press while a new label waits for its place: runs the label text dialog and puts the
  // label's top left corner at the press point.
  virtual void PlaceNewLabel(QPointF /*press*/) {}
  // The release of a press in line drawing mode; false when no line slot was free, which
  // keeps the mode.
  virtual bool DrawLine(QPointF /*start*/, QPointF /*end*/) { return true; }
  // A selected label dragged and dropped on the canvas.
  virtual void DropLabel(QPointF /*point*/) {}
};

class CanvasMode {
 public:
  static constexpr int kNoMode = 0;
  static constexpr int kLabelSelected = 2;
  static constexpr int kDrawingLine = 3;
  static constexpr int kPlaceNewLabel = 2;  // value of PressRole()

  int Activity() const { return activity_; }
  int PressRole() const { return press_role_; }
  bool OverlayVisible() const { return overlay_visible_; }
  CanvasPointer Pointer() const { return pointer_; }
  QPointF LineStart() const { return line_start_; }
  // True between a press on the overlay and its release: the release belongs to the overlay
  // although the press hid it.
  bool PressCaptured() const { return press_captured_; }

  void SetHandler(CanvasModeHandler* handler) { handler_ = handler; }

  // --- commands that enter a mode ---
  // "ライン" and "ふき出し線".
  void StartLineDrawing();
  // "ラベル入力"; the overlay shows only when a free label index was found.
  void StartLabelInput(bool free_label_found);
  // "フォント".
  void FontCommand();
  // A press on a free label: the left button selects it (and starts its drag), any other
  // button only marks the press.
  void LabelPressed(bool left_button);
  // A dragged label dropped where its box would leave the canvas.
  void LabelDropRefused();
  // The label text dialog closed (OK or cancel), or its text was typed while the label
  // stands on the page.
  void LabelDialogClosed();

  // --- the overlay's own events (only while it is visible, except the captured release) ---
  void OverlayPress(QPointF point);
  void OverlayRelease(QPointF point);
  void OverlayClick();
  void OverlayDrop(QPointF point);
  // A press whose release never arrived (a modal dialog took it) no longer owns the next one.
  void DropCapture() { press_captured_ = false; }

 private:
  void ShowOverlay(CanvasPointer pointer);

  int activity_ = kNoMode;
  int press_role_ = 0;
  bool overlay_visible_ = false;
  CanvasPointer pointer_ = CanvasPointer::kDefault;
  QPointF line_start_;
  bool press_captured_ = false;
  CanvasModeHandler fallback_;
  CanvasModeHandler* handler_ = &fallback_;
};

}  // namespace komasu
