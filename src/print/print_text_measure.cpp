#include "print/print_text_measure.h"

#include <QFontMetricsF>
#include <QImage>

#include "platform/fonts.h"

namespace komasu {

namespace {

constexpr double kMeasureDpi = 1200;

// A device of the measuring resolution: text measured on it is as wide as on a printer or in a
// PDF file, whose devices differ in resolution and hinting.
const QImage& MeasuringDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_Mono);
    const int dots_per_metre = qRound(kMeasureDpi / 0.0254);
    image.setDotsPerMeterX(dots_per_metre);
    image.setDotsPerMeterY(dots_per_metre);
    return image;
  }();
  return device;
}

}  // namespace

QFont PrinterFont(const PrintFont& f) {
  // Idempotent; the headless commands have no main() set-up of their own that would do it.
  static const bool fonts_mapped = (InstallFontSubstitutions(), true);
  (void)fonts_mapped;
  QFont font(f.name);
  font.setPointSizeF(f.size);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikethrough);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

double PrintTextWidth(const PrintFont& font, const QString& text) {
  const QFontMetricsF metrics(PrinterFont(font), &MeasuringDevice());
  return metrics.horizontalAdvance(text) * 25.4 / kMeasureDpi;
}

double MeasuringPrintSurface::LineHeight(const PrintFont& font) {
  const QFontMetricsF metrics(PrinterFont(font), &MeasuringDevice());
  return metrics.height() * 25.4 / kMeasureDpi;
}

}  // namespace komasu
