#include "print/page_renderer.h"

#include <QFileInfo>

#include "album/page_geometry.h"

namespace komasu {

namespace {

constexpr int kPrintedLabels = 50;
constexpr int kMaxBreakScan = 255;

double PhotoX(double left) { return (left - kCanvasLeft) * 0.0365 + 7; }
double PhotoY(double top) { return (top - kCanvasTop) * 0.0365; }
double LabelX(double left) { return (left - kCanvasLeft) * 0.0342 + 12; }
double LabelY(double top) { return (top - kCanvasTop) * 0.037 - 3.5; }
double LineX(double x) { return (x - kCanvasLeft) * 0.0342 + 12; }
double LineY(double y) { return (y - kCanvasTop) * 0.0365 - 1; }

// The label's text lines: it breaks at the CR LF pairs among its first 255 characters.
QStringList LabelLines(const QString& text) {
  QStringList out;
  int from = 0;
  const int scan = std::min<int>(static_cast<int>(text.size()), kMaxBreakScan);
  for (int i = 0; i < scan; ++i) {
    if (text[i] != QLatin1Char('\r')) continue;
    out.append(text.mid(from, i - from));
    from = i + 1;
    if (from < text.size() && text[from] == QLatin1Char('\n')) ++from;
  }
  out.append(text.mid(from));
  return out;
}

void PrintLabel(const FreeLabel& label, const LayoutSettings& layout, const TextBlockOffsets& at,
                const PrintSideValues& side, PrintSurface& s) {
  const double x = LabelX(label.left) + at.x + side.label_dx;
  const double y = LabelY(label.top) + at.y;
  if (layout.LabelBackground() == 0) {
    s.SetOpaqueText(true);
    s.Print(QString());
    s.SetOpaqueText(false);
  }
  ApplyTextStyle(label.style, 7, s);
  s.SetCurrentX(x);
  s.SetCurrentY(y + 1.5);
  if (!label.visible) return;
  for (const QString& line : LabelLines(label.text)) {
    s.SetCurrentX(x);
    s.Print(line);
  }
}

void PrintStroke(const LineStroke& stroke, int width, const QColor& color, PrintSurface& s) {
  s.SetPenStyle(PenStyle::kSolid);
  s.SetPenWidth(width);
  if (stroke.visible) {
    s.Line(LineX(stroke.x1), LineY(stroke.y1), LineX(stroke.x2), LineY(stroke.y2), color);
  }
}

}  // namespace

PrintSideValues SideValuesOf(PageSide side) {
  if (side == PageSide::kLeftBound) return {2.5, -1, 0, 0, 0};
  return {0, -1, -15.5, -158.5, 3};
}

QRectF PrintedPhotoBox(const PhotoElement& photo) {
  return QRectF(PhotoX(photo.left), PhotoY(photo.top), photo.width * 0.0365, photo.height * 0.0365);
}

QSizeF PrintedPhotoSize(float width_twips, float height_twips) {
  return QSizeF(width_twips * 0.0365, height_twips * 0.0365);
}

QColor CalloutPrintColor(int32_t color) {
  switch (color) {
    case 255:
      return QColor(255, 0, 0);
    case 16711680:
      return QColor(0, 0, 255);
    case 16776960:
      return QColor(0, 255, 255);
    case 65535:
      return QColor(255, 255, 0);
    default:
      return QColor(128, 128, 128);
  }
}

void PrintPage(const PageContent& page, int page_number, const LayoutSettings& layout,
               const CalloutSettings& callout, PrintPhotoSource& photos, PrintSurface& s) {
  s.SetUpPage();
  const PageSide page_side = layout.SideFor(page_number);
  const PrintSideValues side = SideValuesOf(page_side);
  const TextBlockOffsets offsets = layout.Offsets(page_side);

  for (int i = 1; i <= kPhotoElements; ++i) {
    const PhotoElement& photo = page.Photo(i);
    const QRectF box = PrintedPhotoBox(photo).translated(side.photo_dx, side.photo_dy);
    if (box.x() >= 0 && box.y() >= 0 && !photo.path.isEmpty() && QFileInfo(photo.path).isFile()) {
      s.DrawPicture(photos.PhotoFor(photo.path, box.size()), box);
    }
  }

  for (int i = 1; i <= kPrintedLabels; ++i) PrintLabel(page.Label(i), layout, offsets, side, s);

  if (page.guide_lines == 1) {
    TextColumnPlacement at;
    at.x0 = offsets.x;
    at.y0 = offsets.y;
    at.top = offsets.top;
    at.middle = offsets.middle;
    at.bottom = offsets.bottom;
    at.text_shift = side.text_shift;
    at.rule_shift = side.rule_shift;
    at.pen_width = layout.RulePenWidth();
    at.style = page.rule_style;
    PrintTextColumn(page.lines, at, s);
  }

  const int line_width = callout.width;
  const QColor color = CalloutPrintColor(callout.color);
  for (const CalloutLine& c : page.callouts) {
    PrintStroke(c.line, line_width, color, s);
    PrintStroke(c.arrow_a, line_width, color, s);
    PrintStroke(c.arrow_b, line_width, color, s);
  }
  s.EndDoc();
}

}  // namespace komasu
