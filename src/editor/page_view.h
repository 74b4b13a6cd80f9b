#pragma once
// The page view: paints the shown page of the Album (repainting on its change signals) from its
// twips model, scaled to fit the widget, and feeds mouse input to the cursor readout and the canvas
// modes; photo files dropped on a photo box go into that slot. Photos are decoded off the
// user-interface thread at their shown size; the neighbouring pages' photos are decoded ahead.

#include <QTimer>
#include <QWidget>

#include "editor/canvas_mode.h"
#include "editor/photo_loader.h"

class QLabel;

namespace komasu {

class Album;
class EditorController;

// A photo dragged off the page: the number of its slot (1..3) on the shown page.
inline constexpr char kPhotoSlotMimeType[] = "application/x-komasu2-photo-slot";

class PageView : public QWidget {
  Q_OBJECT

 public:
  explicit PageView(EditorController& editor, QWidget* parent = nullptr);

  CanvasMode& Mode() { return mode_; }
  PhotoLoader& Photos() { return loader_; }

  // Window twips of a widget position, and back.
  QPointF ToTwips(QPointF widget_pos) const;
  QPointF ToWidget(QPointF twips) const;
  // Widget pixels per twip.
  double Scale() const { return scale_; }

  // Whether the neighbouring pages' photos are decoded ahead (on by default).
  void SetDecodeAhead(bool on) { decode_ahead_ = on; }

  // True when every photo of the shown page is decoded (or known to be undecodable).
  bool PhotosComplete() const;

  // Paints the page in twips coordinates (the painter's transform maps twips to the target).
  void PaintPage(class QPainter& painter) const;

  QSize sizeHint() const override;
  bool hasHeightForWidth() const override { return false; }

 public slots:
  // Asks for the shown page's photos and those of the pages around it.
  void RequestPhotos();
  // After an in-place change: requests the slot photos again when one of them changed.
  void PageChangedInPlace();

 signals:
  // A press outside the overlay, for the label and line features: window twips.
  void PagePressed(QPointF twips, Qt::MouseButton button);
  // Local files dropped from the desktop's file manager at `twips` (window twips).
  void PhotoFilesDropped(QPointF twips, const QStringList& files);
  // What a drag under way would do; empty when none is.
  void StatusText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Photo files dragged from the desktop's file manager onto a photo box.
  void dragEnterEvent(QDragEnterEvent* event) override;
  // A photo dragged onto another slot swaps with its photo (Shift: with the text columns).
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void UpdateGeometry();
  QSize PhotoPixelSize(int slot) const;
  void UpdateCursorShape();
  // The outline that follows the mouse while a label is dragged, in twips; empty when none.
  QRectF DragOutline() const;
  void MoveDragOutline(QPointF twips);
  // Drags the photo of slot `photo_press_slot_` (to another slot or a page of the overview).
  void DragPhoto();

  EditorController& editor_;
  Album& album_;
  CanvasMode& mode_;
  PhotoLoader loader_;
  // The slot photos as last requested; a photo put into a slot in place is requested at once.
  QList<QRectF> requested_boxes_;
  QStringList requested_paths_;
  QList<bool> requested_missing_;
  bool decode_ahead_ = true;
  double scale_ = 0.05;
  QPointF origin_;  // widget position of twips (0, 0)
  QTimer resize_settled_;
  QLabel* readout_x_ = nullptr;
  QLabel* readout_y_ = nullptr;
  bool dragging_label_ = false;
  QPointF drag_pointer_;  // twips
  int photo_press_slot_ = 0;  // the slot whose photo a left press hit
  QPointF photo_press_at_;    // widget position of that press
};

}  // namespace komasu
