#include "print/recording_print_surface.h"

namespace komasu {

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;
}

QList<RecordingPrintSurface::Entry> RecordingPrintSurface::Of(Kind kind) const {
  QList<Entry> out;
  for (const Entry& e : entries) {
    if (e.kind == kind) out.append(e);
  }
  return out;
}

QList<RecordingPrintSurface::Entry> RecordingPrintSurface::Texts() const {
  QList<Entry> out;
  for (const Entry& e : entries) {
    if (e.kind == Kind::kText && !e.text.isEmpty()) out.append(e);
  }
  return out;
}

double RecordingPrintSurface::CharWidth(const PrintFont& font, QChar c) {
  const double em = font.size * kMmPerPoint;
  return c.unicode() < 0x100 ? em / 2 : em;
}

void RecordingPrintSurface::BeginPage() {
  entries.append({Kind::kSetUp, State(), JobName(), {}, {}, {}, {}});
}

void RecordingPrintSurface::FinishPage() {
  entries.append({Kind::kEndDoc, State(), {}, {}, {}, {}, {}});
}

void RecordingPrintSurface::OutputText(const PrintState& state, const QString& text) {
  entries.append({Kind::kText, state, text, {}, {}, state.text_color, {}});
}

double RecordingPrintSurface::MeasureText(const PrintFont& font, const QString& text) {
  double w = 0;
  for (QChar c : text) w += CharWidth(font, c);
  return w;
}

double RecordingPrintSurface::LineHeight(const PrintFont& font) {
  return font.size * kMmPerPoint * 1.2;
}

void RecordingPrintSurface::OutputLine(const PrintState& state, QLineF line, const QColor& color) {
  entries.append({Kind::kLine, state, {}, line, {}, color, {}});
}

void RecordingPrintSurface::OutputBox(const PrintState& state, QRectF box, const QColor& color) {
  entries.append({Kind::kBox, state, {}, QLineF(box.topLeft(), box.bottomRight()), box, color, {}});
}

void RecordingPrintSurface::OutputPicture(const QImage& image, const QRectF& rect) {
  entries.append({Kind::kPicture, State(), {}, {}, rect, {}, image.size()});
}

}  // namespace komasu
