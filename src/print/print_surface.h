#pragma once
// The drawing state a printer keeps between calls (current position, font, text colour,
// background mode, pen width and style) and the printer operations in millimetres from the
// printable area's top left; implementations only supply the output primitives.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>

#include "print/print_jobs.h"

namespace komasu {

enum class PenStyle { kSolid, kDotted };

// The printer's font as its attributes are set one by one. Setting bold sets the weight to
// 400 or 700; setting the weight decides boldness, so the attribute set last wins.
struct PrintFont {
  QString name = QStringLiteral("ＭＳ 明朝");
  double size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int weight = 400;
  int charset = 128;
  bool operator==(const PrintFont&) const = default;
};

struct PrintState {
  double x = 0, y = 0;  // current position (mm)
  PrintFont font;
  QColor text_color = Qt::black;
  bool opaque_text = false;  // text background mode; printers start transparent
  int pen_width = 1;         // printer device units of 1/600 inch
  PenStyle pen_style = PenStyle::kSolid;
};

// Millimetres per printer device unit of the pen widths: 1/600 inch on every device, so rules
// look alike on every printer and in PDF.
inline constexpr double kMmPerDeviceUnit = 25.4 / 600.0;

class PrintSurface {
 public:
  virtual ~PrintSurface() = default;

  // Page set-up before each page: A4, portrait, millimetres, colour output. Resets the drawing
  // state to the printer's defaults.
  void SetUpPage();
  // Ends the document of the page: with a printer, the page goes out as a job of its own.
  void EndDoc();

  const PrintState& State() const { return state_; }
  void SetCurrentX(double x) { state_.x = x; }
  void SetCurrentY(double y) { state_.y = y; }

  void SetFontBold(bool on);
  void SetFontCharset(int charset) { state_.font.charset = charset; }
  void SetFontItalic(bool on) { state_.font.italic = on; }
  void SetFontName(const QString& name) { state_.font.name = name; }
  void SetFontSize(double points);
  void SetFontStrikethrough(bool on) { state_.font.strikethrough = on; }
  void SetFontUnderline(bool on) { state_.font.underline = on; }
  void SetFontWeight(int weight);
  void SetTextColor(const QColor& color) { state_.text_color = color; }
  void SetOpaqueText(bool on) { state_.opaque_text = on; }
  void SetPenWidth(int units) { state_.pen_width = units; }
  void SetPenStyle(PenStyle style) { state_.pen_style = style; }

  // Outputs `text` with the top left of its first character cell at the current position,
  // then moves to x = 0 on the next text line.
  void Print(const QString& text);
  // Width of `text` in the current font (mm).
  double TextWidth(const QString& text) { return MeasureText(state_.font, text); }
  void Line(double x1, double y1, double x2, double y2, const QColor& color);
  void Box(double x1, double y1, double x2, double y2, const QColor& color);
  // Draws `image` stretched into `rect` (mm).
  void DrawPicture(const QImage& image, const QRectF& rect);

  // The name of the print job of the pages set up from now on, as a print queue shows it.
  void SetJobName(const QString& name) { job_name_ = name; }
  const QString& JobName() const { return job_name_; }

  // The resolution photos are decoded at for this surface.
  virtual double PhotoDpi() const { return 300; }
  // True when every page is a document of its own, so the pages before a failed one are out.
  virtual bool PagesAreSeparateJobs() const { return true; }

  // Asked once after a run: what the print queue made of the jobs this surface handed it, one a
  // page, in order. A surface without a queue has none.
  virtual SentJobs JobsAfterRun() { return {}; }
  // The name of the printer, for the user.
  virtual QString PrinterName() const { return {}; }

  // True once an output of this surface has failed; the text says why, for the user.
  virtual bool Failed() const { return false; }
  virtual QString ErrorText() const { return {}; }

 protected:
  virtual void BeginPage() = 0;
  virtual void FinishPage() = 0;
  virtual void OutputText(const PrintState& state, const QString& text) = 0;
  virtual double MeasureText(const PrintFont& font, const QString& text) = 0;
  virtual double LineHeight(const PrintFont& font) = 0;
  virtual void OutputLine(const PrintState& state, QLineF line, const QColor& color) = 0;
  virtual void OutputBox(const PrintState& state, QRectF box, const QColor& color) = 0;
  virtual void OutputPicture(const QImage& image, const QRectF& rect) = 0;

 private:
  PrintState state_;
  QString job_name_;
};

struct TextStyle;
// Sets the surface's font attributes and text colour from a stored text style, in the order a
// printer takes them (the weight last, so it decides boldness), with the size enlarged by
// `extra_points`.
void ApplyTextStyle(const TextStyle& style, double extra_points, PrintSurface& surface);

}  // namespace komasu
