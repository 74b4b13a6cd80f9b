#include "print_surface.h"

#include <QLineF>

#include "album/page_content.h"
#include "platform/stored_color.h"

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

void ApplyTextStyle(const TextStyle& style, double extra_points, PrintSurface& s) {
  s.SetFontBold(style.bold);
  s.SetFontCharset(style.charset);
  s.SetFontItalic(style.italic);
  s.SetFontName(style.font_name);
  s.SetFontSize(style.size + extra_points);
  s.SetFontStrikethrough(style.strikethrough);
  s.SetFontUnderline(style.underline);
  s.SetFontWeight(style.weight);
  s.SetTextColor(ColorFromCode(style.color));
}

}  // namespace komasu
