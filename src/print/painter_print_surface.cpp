#include "print/painter_print_surface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>

#include "print/print_text_measure.h"

namespace komasu {

namespace {

const QString kBeginFailed =
    QStringLiteral("印刷を開始できませんでした。プリンタの接続と設定を確かめてください。");
const QString kEndFailed =
    QStringLiteral("印刷できませんでした。プリンタがページを受け付けませんでした。");
const QString kPdfFailed =
    QStringLiteral("PDFファイルを書き込めませんでした。保存先と空き容量を確かめてください。");

}  // namespace

PainterPrintSurface::PainterPrintSurface(QPagedPaintDevice& device, Documents documents)
    : device_(device), paged_(&device), documents_(documents) {}

PainterPrintSurface::PainterPrintSurface(QImage& page)
    : device_(page), documents_(Documents::kOne) {}

PainterPrintSurface::~PainterPrintSurface() {
  if (painter_.isActive()) painter_.end();
}

void PainterPrintSurface::BeginPage() {
  if (Failed()) return;
  if (page_open_) FinishPage();  // a page set up twice without its end
  if (documents_ == Documents::kOne && painter_.isActive()) {
    if (!paged_) {  // an image holds one page: a second one would draw over it
      error_ = kEndFailed;
      return;
    }
    if (!paged_->newPage()) {
      error_ = kEndFailed;
    } else {
      error_ = DeviceError(DeviceStep::kNewPage);
    }
    page_open_ = !Failed();
    return;
  }
  if (paged_) {
    paged_->setPageSize(QPageSize(QPageSize::A4));
    paged_->setPageOrientation(QPageLayout::Portrait);
  }
  BeforeDocument(JobName());
  if (!painter_.begin(&device_)) {
    error_ = dynamic_cast<QPdfWriter*>(&device_) ? kPdfFailed : kBeginFailed;
    return;
  }
  if (error_ = DeviceError(DeviceStep::kBegun); Failed()) {
    painter_.end();
    return;
  }
  ResyncEngine();
  px_per_mm_x_ = device_.logicalDpiX() / 25.4;
  px_per_mm_y_ = device_.logicalDpiY() / 25.4;
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  page_open_ = true;
}

void PainterPrintSurface::FinishPage() {
  if (!page_open_) return;
  page_open_ = false;
  if (documents_ != Documents::kOnePerPage || !painter_.isActive()) return;
  if (!painter_.end()) {
    error_ = kEndFailed;
  } else {
    error_ = DeviceError(DeviceStep::kEnded);
  }
}

void PainterPrintSurface::ResyncEngine() {
  // A printer's paint engine outlives its jobs and keeps the pen, brush and background of the
  // last one, while a new QPainter takes it to be at the defaults and never sends a setting
  // equal to them: the first black text of a job came out in the previous job's line colour.
  // A change away and back makes every setting go out with the first drawing.
  painter_.setPen(Qt::NoPen);
  painter_.setPen(QPen(Qt::black));
  painter_.setBrush(Qt::SolidPattern);
  painter_.setBrush(Qt::NoBrush);
  painter_.setBackgroundMode(Qt::OpaqueMode);
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setBackground(Qt::black);
  painter_.setBackground(Qt::white);
}

bool PainterPrintSurface::Finish() {
  page_open_ = false;
  if (!painter_.isActive()) return !Failed();
  if (!painter_.end()) {
    if (error_.isEmpty()) error_ = dynamic_cast<QPdfWriter*>(&device_) ? kPdfFailed : kEndFailed;
  } else if (error_.isEmpty()) {
    error_ = DeviceError(DeviceStep::kEnded);
  }
  return !Failed();
}

QPen PainterPrintSurface::PenOf(const PrintState& state, const QColor& color) const {
  QPen pen(color);
  pen.setWidthF(std::max(state.pen_width, 0) * kMmPerDeviceUnit * px_per_mm_x_);
  pen.setStyle(state.pen_style == PenStyle::kDotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void PainterPrintSurface::OutputText(const PrintState& state, const QString& text) {
  if (!Ready() || text.isEmpty()) return;
  const QFont font = PrinterFont(state.font);
  painter_.setFont(font);
  painter_.setPen(QPen(state.text_color));
  painter_.setBackgroundMode(state.opaque_text ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(Qt::white);
  const QFontMetricsF metrics(font, &device_);
  painter_.drawText(Px(state.x, state.y) + QPointF(0, metrics.ascent()), text);
}

// Every device measures alike, so the lines cut are those the editor and the checks before
// printing name.
double PainterPrintSurface::MeasureText(const PrintFont& font, const QString& text) {
  return PrintTextWidth(font, text);
}

double PainterPrintSurface::LineHeight(const PrintFont& font) {
  const QFontMetricsF metrics(PrinterFont(font), &device_);
  return metrics.height() / px_per_mm_y_;
}

void PainterPrintSurface::OutputLine(const PrintState& state, QLineF line, const QColor& color) {
  if (!Ready()) return;
  painter_.setPen(PenOf(state, color));
  painter_.drawLine(QLineF(Px(line.x1(), line.y1()), Px(line.x2(), line.y2())));
}

void PainterPrintSurface::OutputBox(const PrintState& state, QRectF box, const QColor& color) {
  if (!Ready()) return;
  painter_.setPen(PenOf(state, color));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(Px(box.left(), box.top()), Px(box.right(), box.bottom())));
}

void PainterPrintSurface::OutputPicture(const QImage& image, const QRectF& rect) {
  if (!Ready()) return;
  painter_.drawImage(QRectF(Px(rect.left(), rect.top()), Px(rect.right(), rect.bottom())), image);
}

}  // namespace komasu
