#include "editor/text_measure.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace komasu {

QFont TwipsFont(const TextStyle& style, double logical_dpi) {
  QFont font(style.font_name);
  font.setPointSizeF(std::max(1.0, style.size) * 20.0 * 72.0 / logical_dpi);
  font.setBold(style.bold);
  font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(style.italic);
  font.setUnderline(style.underline);
  font.setStrikeOut(style.strikethrough);
  return font;
}

QString DisplayText(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(u'\r', u'\n');
  return out;
}

QSizeF FontTextMeasure::TextSize(const TextStyle& style, const QString& text) const {
  // QFontMetricsF without a device measures at the primary screen's logical resolution.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  const QFontMetricsF metrics(TwipsFont(style, dpi));
  return metrics
      .boundingRect(QRectF(0, 0, 1, 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                    DisplayText(text))
      .size();
}

}  // namespace komasu
