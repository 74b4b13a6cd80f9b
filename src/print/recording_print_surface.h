#pragma once
// A PrintSurface that records every output with the drawing state it was made in, for tests.
// Text is measured by a fixed rule: a character below U+0100 is half the font size wide, any
// other a full size (1 pt = 25.4 / 72 mm); a text line is 1.2 times the size high.

#include <QList>

#include "print/print_surface.h"

namespace komasu {

class RecordingPrintSurface : public PrintSurface {
 public:
  enum class Kind { kSetUp, kText, kLine, kBox, kPicture, kEndDoc };
  struct Entry {
    Kind kind;
    PrintState state;  // when the output was made
    QString text;      // text output, or the job name of a set-up
    QLineF line;       // line ends, or the box corners
    QRectF rect;       // picture rectangle
    QColor color;      // line and box colour
    QSize image_size;  // picture pixels
  };

  QList<Entry> entries;

  // The entries of one kind, in order.
  QList<Entry> Of(Kind kind) const;
  // The text outputs, skipping empty ones.
  QList<Entry> Texts() const;
  int Pages() const { return Of(Kind::kEndDoc).size(); }

  static double CharWidth(const PrintFont& font, QChar c);

 protected:
  void BeginPage() override;
  void FinishPage() override;
  void OutputText(const PrintState& state, const QString& text) override;
  double MeasureText(const PrintFont& font, const QString& text) override;
  double LineHeight(const PrintFont& font) override;
  void OutputLine(const PrintState& state, QLineF line, const QColor& color) override;
  void OutputBox(const PrintState& state, QRectF box, const QColor& color) override;
  void OutputPicture(const QImage& image, const QRectF& rect) override;
};

}  // namespace komasu
