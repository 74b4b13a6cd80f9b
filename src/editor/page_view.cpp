#include "editor/page_view.h"

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "album/album.h"
#include "album/missing_photo.h"
#include "album/page_geometry.h"
#include "editor/cursor_readout.h"
#include "editor/editor_controller.h"
#include "editor/label_editing.h"
#include "editor/slot_text_commands.h"
#include "editor/text_measure.h"
#include "album/page_reader.h"
#include "commands/album_commands.h"
#include "platform/stored_color.h"

namespace komasu {

namespace {

// Points to twips; a font of size s points is 20 s twips high.
QFont FontFor(const TextStyle& style, double logical_dpi) { return TwipsFont(style, logical_dpi); }

QPen CosmeticPen(const QColor& color, int width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(color, width, style);
  pen.setCosmetic(true);
  return pen;
}

constexpr double kTwipsPerPrinterUnit = 1440.0 / 600.0;

// The local files a drag from the desktop's file manager carries (text/uri-list).
QStringList LocalFiles(const QMimeData* mime) {
  QStringList files;
  if (mime == nullptr || !mime->hasUrls()) return files;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) files.append(url.toLocalFile());
  }
  return files;
}

// A photo whose file is missing: a crossed box with the file's name, so the slot does not pass
// for an empty one.
void DrawMissingPhoto(QPainter& p, const PhotoElement& photo, double dpi) {
  const QRectF box(photo.left, photo.top, photo.width, photo.height);
  const QColor mark(200, 40, 40);
  p.save();
  p.setPen(CosmeticPen(mark, 2));
  p.drawRect(box);
  p.drawLine(box.topLeft(), box.bottomRight());
  p.drawLine(box.topRight(), box.bottomLeft());
  TextStyle style;
  style.size = 9;
  p.setFont(FontFor(style, dpi));
  const QString text =
      QStringLiteral("写真が見つかりません\n%1").arg(QFileInfo(photo.path).fileName());
  const int flags = Qt::AlignCenter | Qt::TextWrapAnywhere;
  const QRectF area = box.adjusted(box.width() / 10, 0, -box.width() / 10, 0);
  const QRectF used = p.boundingRect(area, flags, text);
  p.fillRect(used.adjusted(-40, -20, 40, 20), Qt::white);
  p.setPen(mark);
  p.drawText(area, flags, text);
  p.restore();
}

void DrawStroke(QPainter& p, const LineStroke& s) {
  if (s.visible) p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
}

}  // namespace

PageView::PageView(EditorController& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), album_(editor.Doc()), mode_(editor.Mode()) {
  setObjectName(QStringLiteral("pageView"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(240, 300);
  setAcceptDrops(true);
  readout_x_ = new QLabel(this);
  readout_x_->setObjectName(QStringLiteral("Label13(0)"));
  readout_y_ = new QLabel(this);
  readout_y_->setObjectName(QStringLiteral("Label13(1)"));
  for (QLabel* l : {readout_x_, readout_y_}) l->setAttribute(Qt::WA_TransparentForMouseEvents);

  connect(&album_, &Album::PageShown, this, &PageView::RequestPhotos);
  connect(&album_, &Album::AlbumOpened, this, &PageView::RequestPhotos);
  connect(&album_, &Album::PageChanged, this, &PageView::PageChangedInPlace);
  connect(&editor_, &EditorController::PanelChanged, this, qOverload<>(&QWidget::update));
  connect(&editor_, &EditorController::DraggedLabelChanged, this, qOverload<>(&QWidget::update));
  connect(&loader_, &PhotoLoader::PhotoReady, this, qOverload<>(&QWidget::update));
  resize_settled_.setSingleShot(true);
  resize_settled_.setInterval(150);
  connect(&resize_settled_, &QTimer::timeout, this, &PageView::RequestPhotos);
  UpdateGeometry();
}

QSize PageView::sizeHint() const {
  return QSize(static_cast<int>(kPageViewArea.width() / 15),
               static_cast<int>(kPageViewArea.height() / 15));
}

void PageView::UpdateGeometry() {
  const QRectF area = kPageViewArea;
  scale_ = std::min(height() / area.height(), width() / area.width());
  if (scale_ <= 0) scale_ = 0.01;
  const double used_width = area.width() * scale_;
  origin_ = QPointF((width() - used_width) / 2 - area.left() * scale_, -area.top() * scale_);
  const QPointF x_at = ToWidget(kReadoutX);
  const QPointF y_at = ToWidget(kReadoutY);
  readout_x_->move(x_at.toPoint());
  readout_y_->move(y_at.toPoint());
  for (QLabel* l : {readout_x_, readout_y_}) l->adjustSize();
}

QPointF PageView::ToTwips(QPointF widget_pos) const { return (widget_pos - origin_) / scale_; }
QPointF PageView::ToWidget(QPointF twips) const { return twips * scale_ + origin_; }

void PageView::resizeEvent(QResizeEvent*) {
  UpdateGeometry();
  // While the window is being resized the photos are drawn scaled from their last decode;
  // they are decoded at the new size once the size settles.
  resize_settled_.start();
}

QSize PageView::PhotoPixelSize(int slot) const {
  const PhotoElement& p = album_.Page().Photo(slot);
  const double factor = scale_ * devicePixelRatioF();
  return QSize(std::max(1, qRound(p.width * factor)), std::max(1, qRound(p.height * factor)));
}

void PageView::PageChangedInPlace() {
  QList<QRectF> boxes;
  QStringList paths;
  QList<bool> missing;
  for (int s = 1; s <= kPhotoSlots; ++s) {
    const PhotoElement& p = album_.Page().Photo(s);
    boxes.append(QRectF(p.left, p.top, p.width, p.height));
    paths.append(p.path);
    missing.append(PhotoMissing(p));
  }
  // Pages passed inside a batch are requested when it ends, if at all. A photo whose file came
  // back (the window becoming active tells) is requested again.
  if (album_.InBatch() ||
      (boxes == requested_boxes_ && paths == requested_paths_ && missing == requested_missing_)) {
    update();
    return;
  }
  RequestPhotos();
}

void PageView::RequestPhotos() {
  requested_boxes_.clear();
  requested_paths_.clear();
  requested_missing_.clear();
  for (int s = 1; s <= kPhotoSlots; ++s) {
    const PhotoElement& p = album_.Page().Photo(s);
    requested_boxes_.append(QRectF(p.left, p.top, p.width, p.height));
    requested_paths_.append(p.path);
    requested_missing_.append(PhotoMissing(p));
  }
  QList<PhotoRequest> wanted;
  // Every page's boxes have the size the photo scale setting gives them.
  const float photo_scale = static_cast<float>(album_.Layout().PhotoScalePercent()) / 100.0f;
  const double factor = scale_ * devicePixelRatioF();
  const QSize size(std::max(1, qRound(kPhotoBoxWidth * photo_scale * factor)),
                   std::max(1, qRound(kPhotoBoxHeight * photo_scale * factor)));
  for (int s = 1; s <= kPhotoSlots; ++s) {
    wanted.append({album_.Page().Photo(s).path, PhotoPixelSize(s)});
  }
  if (decode_ahead_ && album_.IsOpen()) {
    for (int page : {album_.CurrentPage() + 1, album_.CurrentPage() - 1}) {
      if (page < 1 || page > album_.PageCount()) continue;
      for (const QString& path : SlotPhotoPaths(album_, page)) wanted.append({path, size, true});
    }
  }
  loader_.Want(wanted);
  update();
}

bool PageView::PhotosComplete() const {
  for (int s = 1; s <= kPhotoSlots; ++s) {
    const PhotoElement& p = album_.Page().Photo(s);
    if (!p.path.isEmpty() && !loader_.IsDone(p.path, PhotoPixelSize(s))) return false;
  }
  return true;
}

void PageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.translate(origin_);
  painter.scale(scale_, scale_);
  PaintPage(painter);
}

void PageView::PaintPage(QPainter& p) const {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;

  // Paper and canvas.
  p.fillRect(kPaperOutline, Qt::white);
  p.setPen(CosmeticPen(Qt::black, 1));
  p.drawRect(kPaperOutline);
  p.setPen(CosmeticPen(QColor(160, 160, 160), 1, Qt::DotLine));
  p.drawRect(kPageCanvas);

  // Photos, stretched into their boxes.
  for (int s = 1; s <= kPhotoSlots; ++s) {
    const PhotoElement& photo = album_.Page().Photo(s);
    if (!photo.visible || photo.path.isEmpty()) continue;
    if (PhotoMissing(photo)) {
      DrawMissingPhoto(p, photo, dpi);
      continue;
    }
    const QImage image = loader_.Find(photo.path, PhotoPixelSize(s));
    if (!image.isNull())
      p.drawImage(QRectF(photo.left, photo.top, photo.width, photo.height), image);
  }

  // The marker bar of the selected slot.
  if (album_.IsOpen()) {
    const bool left_bound = album_.Layout().SideFor(album_.CurrentPage()) == PageSide::kLeftBound;
    const int slot = editor_.SelectedSlot();
    p.fillRect(SlotMarkerBar(slot, album_.TextColumnLeft(), left_bound), SlotColor(slot));
  }

  // Guide rules and "No." marks.
  for (const RuleLine& r : album_.Decor().rules) {
    if (!r.visible) continue;
    p.setPen(CosmeticPen(Qt::black, r.width, r.dotted ? Qt::DotLine : Qt::SolidLine));
    p.drawLine(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2));
  }
  p.setPen(Qt::black);
  TextStyle no_style;
  no_style.font_name = QStringLiteral("ＭＳ 明朝");
  no_style.size = 9.75;
  no_style.italic = true;
  p.setFont(FontFor(no_style, dpi));
  for (const NoMark& m : album_.Decor().no_marks) {
    if (m.visible)
      p.drawText(QRectF(m.left, m.top, 315, 195), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                 QStringLiteral("No."));
  }

  // Slot text lines, cut at the column's right edge as their fixed-width labels are. The
  // number line starts right of its "No." mark.
  for (int i = 0; i < kSlotTextLines; ++i) {
    const SlotTextLine& line = album_.Page().lines[i];
    if (!line.visible || line.text.isEmpty()) continue;
    const float x = line.left + (i % kLinesPerSlot == 0 ? kSlotNumberIndent : 0);
    const float top = SlotTextLineTop(i);
    p.save();
    p.setClipRect(
        QRectF(x, top - kTextLinePitch, album_.TextColumnRight() - x, 3 * kTextLinePitch));
    p.setFont(FontFor(line.style, dpi));
    p.setPen(ColorFromCode(line.style.color));
    p.drawText(QPointF(x, top + QFontMetricsF(p.font()).ascent()), line.text);
    p.restore();
  }

  // Free labels: auto-sized texts at their top left corner, possibly of several lines. The
  // border marks the box that presses hit; a dragged label hides until it is dropped.
  for (int i = 1; i <= kFreeLabels; ++i) {
    const FreeLabel& label = album_.Page().Label(i);
    if (!label.visible || label.text.isEmpty() || i == editor_.Labels().dragged) continue;
    p.setFont(FontFor(label.style, dpi));
    p.setPen(ColorFromCode(label.style.color));
    const QString text = DisplayText(label.text);
    const QRectF box = p.boundingRect(QRectF(label.left, label.top, 1, 1),
                                      Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    if (label.border) {
      p.setPen(CosmeticPen(Qt::black, 1));
      p.drawRect(QRectF(label.left, label.top, label.width, label.height));
    }
  }
  if (const QRectF outline = DragOutline(); !outline.isEmpty()) {
    p.setPen(CosmeticPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(outline);
  }

  // Callout lines and their arrow strokes, in the callout colour and as wide as they print
  // (the width setting is in printer units of 1/600 inch), but never thinner than a pixel.
  p.setRenderHint(QPainter::Antialiasing, true);
  const double width_twips = std::max(album_.Callout().width, 0) * kTwipsPerPrinterUnit;
  QPen callout_pen(ColorFromCode(album_.Callout().color));
  callout_pen.setCosmetic(true);
  callout_pen.setWidthF(std::max(1.0, width_twips * p.worldTransform().m11()));
  p.setPen(callout_pen);
  for (const CalloutLine& c : album_.Page().callouts) {
    DrawStroke(p, c.line);
    DrawStroke(p, c.arrow_a);
    DrawStroke(p, c.arrow_b);
  }
}

void PageView::UpdateCursorShape() {
  if (!mode_.OverlayVisible()) {
    unsetCursor();
    return;
  }
  switch (mode_.Pointer()) {
    case CanvasPointer::kCross:
      setCursor(Qt::CrossCursor);
      break;
    case CanvasPointer::kText:
      setCursor(Qt::IBeamCursor);
      break;
    case CanvasPointer::kArrow:
      setCursor(Qt::ArrowCursor);
      break;
    case CanvasPointer::kDefault:
      unsetCursor();
      break;
  }
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF t = ToTwips(event->position());
  if (dragging_label_) MoveDragOutline(t);
  if (photo_press_slot_ != 0 && (event->buttons() & Qt::LeftButton) &&
      (event->position() - photo_press_at_).manhattanLength() >=
          QApplication::startDragDistance()) {
    DragPhoto();
    return;
  }
  if (const auto readout = ReadCursor(t.x(), t.y())) {
    readout_x_->setText(readout->x);
    readout_y_->setText(readout->y);
    readout_x_->adjustSize();
    readout_y_->adjustSize();
  }
  UpdateCursorShape();
}

QRectF PageView::DragOutline() const {
  const int n = editor_.Labels().dragged;
  if (!dragging_label_ || n == 0) return {};
  const FreeLabel& label = album_.Page().Label(n);
  const auto& grab = editor_.Labels().grab_offsets;
  return QRectF(drag_pointer_.x() - grab[0], drag_pointer_.y() - grab[1], label.width,
                label.height);
}

void PageView::MoveDragOutline(QPointF twips) {
  const QRectF before = DragOutline();
  drag_pointer_ = twips;
  const QRectF after = DragOutline();
  // Only the outline's old and new places are repainted: the photos stay as they are.
  const QRectF dirty = before.united(after);
  update(QRectF(ToWidget(dirty.topLeft()), ToWidget(dirty.bottomRight()))
             .toAlignedRect()
             .adjusted(-2, -2, 2, 2));
}

void PageView::mousePressEvent(QMouseEvent* event) {
  mode_.DropCapture();
  const QPointF t = ToTwips(event->position());
  if (mode_.OverlayVisible() && kPageCanvas.contains(t)) {
    mode_.OverlayPress(t - kPageCanvas.topLeft());
  } else if (const int n = LabelAt(album_.Page(), t); n != 0 && album_.PageEditable()) {
    const FreeLabel& label = album_.Page().Label(n);
    const bool right = event->button() == Qt::RightButton;
    PressLabel(editor_, n, right, t - QPointF(label.left, label.top));
    dragging_label_ = !right && editor_.Labels().dragged == n;
    drag_pointer_ = t;
  } else {
    const int slot = PhotoSlotAt(album_.Page(), album_.Layout(), album_.CurrentPage(), t);
    const bool movable = event->button() == Qt::LeftButton && album_.PageEditable() &&
                         mode_.Activity() != CanvasMode::kDrawingLine && slot != 0 &&
                         !album_.Page().Photo(slot).path.isEmpty();
    photo_press_slot_ = movable ? slot : 0;
    photo_press_at_ = event->position();
    emit PagePressed(t, event->button());
  }
  UpdateCursorShape();
  update();
}

void PageView::DragPhoto() {
  const int slot = std::exchange(photo_press_slot_, 0);
  const PhotoElement& photo = album_.Page().Photo(slot);
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(kPhotoSlotMimeType), QByteArray::number(slot));
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  const QRect box = QRectF(ToWidget(QPointF(photo.left, photo.top)),
                           ToWidget(QPointF(photo.left + photo.width, photo.top + photo.height)))
                        .toAlignedRect();
  const QPixmap picture = grab(box);
  if (!picture.isNull()) {
    drag->setPixmap(picture.scaledToWidth(std::min(160, picture.width()), Qt::SmoothTransformation));
  }
  drag->exec(Qt::MoveAction);
  emit StatusText({});
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPointF t = ToTwips(event->position());
  if (const int n = LabelAt(album_.Page(), t); n != 0 && !dragging_label_) {
    EditLabelText(editor_, n);
    UpdateCursorShape();
    update();
    return;
  }
  mousePressEvent(event);
}

void PageView::mouseReleaseEvent(QMouseEvent* event) {
  photo_press_slot_ = 0;
  if (dragging_label_) {
    dragging_label_ = false;
    const QPointF t = ToTwips(event->position());
    // A drop off the canvas overlay reaches no drop handler: the label shows where it was.
    if (mode_.OverlayVisible() && kPageCanvas.contains(t)) {
      mode_.OverlayDrop(t - kPageCanvas.topLeft());
    }
    CancelLabelDrag(editor_);
  }
  if (mode_.PressCaptured()) {
    const QPointF t = ToTwips(event->position());
    mode_.OverlayRelease(t - kPageCanvas.topLeft());
    // A line release that found no free slot keeps the drawing mode and its overlay.
    if (mode_.Activity() != CanvasMode::kDrawingLine) mode_.OverlayClick();
  }
  UpdateCursorShape();
  update();
}

void PageView::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty() ||
      (event->mimeData()->hasFormat(QString::fromLatin1(kPhotoSlotMimeType)) &&
       event->source() == this)) {
    event->acceptProposedAction();
  }
}

void PageView::dragMoveEvent(QDragMoveEvent* event) {
  // Only a photo box takes the files: elsewhere the pointer says so before the drop.
  const int slot = album_.IsOpen() ? PhotoSlotAt(album_.Page(), album_.Layout(),
                                                 album_.CurrentPage(), ToTwips(event->position()))
                                   : 0;
  const QByteArray from = event->mimeData()->data(QString::fromLatin1(kPhotoSlotMimeType));
  if (from.isEmpty()) {
    if (slot != 0) {
      event->acceptProposedAction();
    } else {
      event->ignore();
    }
    return;
  }
  if (slot == 0 || slot == from.toInt()) {
    emit StatusText(QStringLiteral("写真を別の写真枠に移すと、2枚の写真を入れ替えます。"));
    event->ignore();
    return;
  }
  emit StatusText(event->modifiers() & Qt::ShiftModifier
                      ? QStringLiteral("写真と説明文を入れ替えます。")
                      : QStringLiteral("写真を入れ替えます（Shift キーを押すと説明文も入れ替えます）。"));
  event->acceptProposedAction();
}

void PageView::dragLeaveEvent(QDragLeaveEvent* event) {
  emit StatusText({});
  QWidget::dragLeaveEvent(event);
}

void PageView::dropEvent(QDropEvent* event) {
  if (const QByteArray from = event->mimeData()->data(QString::fromLatin1(kPhotoSlotMimeType));
      !from.isEmpty()) {
    const int to = PhotoSlotAt(album_.Page(), album_.Layout(), album_.CurrentPage(),
                               ToTwips(event->position()));
    const bool with_texts = event->modifiers() & Qt::ShiftModifier;
    event->acceptProposedAction();
    emit StatusText({});
    editor_.Commands().SwapSlotPhotos(from.toInt(), to, with_texts);
    return;
  }
  const QStringList files = LocalFiles(event->mimeData());
  const QPointF t = ToTwips(event->position());
  event->acceptProposedAction();
  // A refusal shows a message box: not inside the drop, which would hold the file manager's
  // drag until the box is closed.
  QTimer::singleShot(0, this, [this, files, t] { emit PhotoFilesDropped(t, files); });
}

}  // namespace komasu
