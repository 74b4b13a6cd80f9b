#pragma once
// How large a text stands on the page view, in twips: free labels size themselves to their
// text through this. The GUI measures with the fonts the page view draws with; tests use a
// deterministic measure.

#include <QFont>
#include <QSizeF>
#include <QString>

#include "album/page_content.h"

namespace komasu {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // The box a text of one or more lines ("\r\n" or "\n" between them) takes in `style`.
  virtual QSizeF TextSize(const TextStyle& style, const QString& text) const = 0;
};

// A font whose pixels are twips when drawn on a device of `logical_dpi`: a font of s points
// is 20 s twips high.
QFont TwipsFont(const TextStyle& style, double logical_dpi);

// Line breaks as Qt's text drawing reads them.
QString DisplayText(const QString& text);

// Measures with QFontMetricsF at the application's default resolution; needs a
// QGuiApplication.
class FontTextMeasure : public TextMeasure {
 public:
  QSizeF TextSize(const TextStyle& style, const QString& text) const override;
};

}  // namespace komasu
