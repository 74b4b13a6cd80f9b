#include "print_surface.h"

#include <QLineF>

namespace komasu {

void PrintSurface::SetUpPage() {
  state_ = PrintState();
  BeginPage();
}

void PrintSurface::EndDoc() { FinishPage(); }

void PrintSurface::SetFontBold(bool on) {
  state_.font.bold = on;
  state_.font.weight = on ? 700 : 400;
}

void PrintSurface::SetFontSize(double points) {
  if (points > 0) state_.font.size = points;
}

void PrintSurface::SetFontWeight(int weight) {
  state_.font.weight = weight;
  state_.font.bold = weight > 550;
}

void PrintSurface::Print(const QString& text) {
  OutputText(state_, text);
  state_.x = 0;
  state_.y += LineHeight(state_.font);
}

void PrintSurface::Line(double x1, double y1, double x2, double y2, const QColor& color) {
  OutputLine(state_, QLineF(x1, y1, x2, y2), color);
}

void PrintSurface::Box(double x1, double y1, double x2, double y2, const QColor& color) {
  OutputBox(state_, QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), color);
}

void PrintSurface::DrawPicture(const QImage& image, const QRectF& rect) {
  if (image.isNull() || rect.isEmpty()) return;
  OutputPicture(image, rect);
}

QColor PrintColorOf(int32_t stored) {
  const uint32_t v = static_cast<uint32_t>(stored);
  if (v & 0x80000000u) {
    switch (v & 0xffu) {
      case 0x05:  // window background
      case 0x0e:  // highlighted text
      case 0x14:  // 3-D highlight
        return Qt::white;
      case 0x0f:  // button face
        return QColor(240, 240, 240);
      case 0x10:  // button shadow
      case 0x11:  // grey text
        return QColor(160, 160, 160);
      default:  // window text and the other text colours
        return Qt::black;
    }
  }
  return QColor(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff);
}

}  // namespace komasu
