#include "print/print_text_column.h"

#include "print/print_text_measure.h"

namespace komasu {

namespace {

struct SlotRow {
  double text_y, rule_top_y, frame_bottom_y;
};
constexpr SlotRow kRows[kPhotoSlots] = {{-0.5, -1.0, 78.5}, {98.2, 98.2, 177.2}, {197, 197, 276}};
constexpr double kColumnLeft = 157;
constexpr double kColumnRight = 198;
const QColor kRuleColor = Qt::black;

void Rule(PrintSurface& s, PenStyle style, int width, double x1, double x2, double y) {
  s.SetPenStyle(style);
  s.SetPenWidth(width);
  s.Line(x1, y, x2, y, kRuleColor);
}

}  // namespace

QString PrintedLineText(const QString& text, PrintSurface& surface) {
  if (surface.TextWidth(text) < kPrintTextMaxWidth) return text;
  for (int n = 1; n < text.size(); ++n) {
    const QString prefix = text.left(n);
    if (surface.TextWidth(prefix) >= kPrintTextMaxWidth) return prefix;
  }
  return text;
}

std::optional<QString> CutSlotLine(const TextStyle& style, const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  MeasuringPrintSurface measure;
  ApplyTextStyle(style, kSlotLineExtraPoints, measure);
  QString printed = PrintedLineText(text, measure);
  if (printed == text) return std::nullopt;
  return printed;
}

void PrintTextColumn(const std::array<SlotTextLine, kSlotTextLines>& lines,
                     const TextColumnPlacement& at, PrintSurface& s) {
  const double row_offsets[kPhotoSlots] = {at.top, at.middle, at.bottom};
  const double text_left = kColumnLeft + at.x0 + at.text_shift;
  auto text_base = [&](int slot) { return kRows[slot].text_y + at.y0 + row_offsets[slot]; };

  s.SetFontItalic(true);
  s.SetFontSize(13);
  s.SetFontName(QStringLiteral("MS 明朝"));
  for (int slot = 0; slot < kPhotoSlots; ++slot) {
    s.SetCurrentX(text_left + 2);
    s.SetCurrentY(text_base(slot) + 3);
    s.Print(QStringLiteral("No."));
  }

  for (int slot = 0; slot < kPhotoSlots; ++slot) {
    double y = text_base(slot);
    for (int j = 0; j < kLinesPerSlot; ++j) {
      const SlotTextLine& line = lines[static_cast<size_t>(kLinesPerSlot * slot + j)];
      ApplyTextStyle(line.style, kSlotLineExtraPoints, s);
      s.SetCurrentX(text_left + (j == 0 ? 9 : 2));
      s.SetCurrentY(y + 3);
      if (!line.text.isEmpty()) s.Print(PrintedLineText(line.text, s));
      y += kPrintLinePitch;
    }
  }

  const double a = kColumnLeft + at.x0 + at.text_shift + at.rule_shift;
  const double b = kColumnRight + at.x0 + at.text_shift + at.rule_shift;
  const int w = at.pen_width;
  const double p = kPrintLinePitch;
  for (int slot = 0; slot < kPhotoSlots; ++slot) {
    const double u = kRows[slot].rule_top_y + at.y0 + row_offsets[slot];
    double y = u + p;
    if (at.style == RuleStyle::kFrame) {
      const double v = kRows[slot].frame_bottom_y + at.y0 + row_offsets[slot];
      s.SetPenStyle(PenStyle::kSolid);
      s.SetPenWidth(w + 4);
      s.Box(a, u, b, v, kRuleColor);
      Rule(s, PenStyle::kDotted, w + 2, a, b - 10, y);
      y += p;
      Rule(s, PenStyle::kSolid, w + 4, a, b, y);
      y += p;
      s.SetPenStyle(PenStyle::kSolid);
      s.SetPenWidth(w);
      for (int i = 0; i < 6; ++i, y += p) s.Line(a, y, b, y, kRuleColor);
    } else {
      Rule(s, PenStyle::kSolid, w + 2, a, b - 10, y);
      y += p;
      Rule(s, PenStyle::kSolid, w + 2, a, b, y);
      y += p;
      s.SetPenStyle(PenStyle::kDotted);
      s.SetPenWidth(w);
      for (int i = 0; i < 7; ++i, y += p) s.Line(a, y, b, y, kRuleColor);
    }
  }
}

}  // namespace komasu
