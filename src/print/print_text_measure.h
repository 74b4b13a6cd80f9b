#pragma once
// How wide printed text is, the same on every printer, in PDF files and in the preview: the
// printer surfaces measure through it, and so do the checks that say before printing (and
// while typing) which slot lines the column cuts.

#include <QFont>
#include <QString>

#include "print/print_surface.h"

namespace komasu {

// The Qt font a printer font is drawn with.
QFont PrinterFont(const PrintFont& font);

// Width (mm) of `text` in `font`, measured at 1200 dpi whatever the device.
double PrintTextWidth(const PrintFont& font, const QString& text);

// A surface that draws nothing and measures as the printers do, for asking how text prints.
class MeasuringPrintSurface : public PrintSurface {
 protected:
  void BeginPage() override {}
  void FinishPage() override {}
  void OutputText(const PrintState&, const QString&) override {}
  double MeasureText(const PrintFont& font, const QString& text) override {
    return PrintTextWidth(font, text);
  }
  double LineHeight(const PrintFont& font) override;
  void OutputLine(const PrintState&, QLineF, const QColor&) override {}
  void OutputBox(const PrintState&, QRectF, const QColor&) override {}
  void OutputPicture(const QImage&, const QRectF&) override {}
};

}  // namespace komasu
