#include "texttools/csv_format.h"

#include <QStringDecoder>
#include <algorithm>

#include "platform/cp932.h"

namespace komasu {

namespace {

bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

bool IsAscii(const QByteArray& bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

QString CsvField(const QString& text) {
  const bool quoted = text.contains(u',') || text.contains(u'，') || text.startsWith(u' ') ||
                      text.contains(u'\r') || text.contains(u'\n');
  return quoted ? u'"' + text + u'"' : text;
}

QString CsvLine(const QStringList& texts) {
  QString line;
  for (const QString& t : texts) {
    line += CsvField(t);
    line += u',';
  }
  return line;
}

QString DecodeCsvBytes(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
  // CP932 text of any length is almost never valid UTF-8, so valid UTF-8 with non-ASCII bytes
  // is taken as UTF-8 when it holds a character of three bytes, as every kana and kanji is.
  // Half-width kana in CP932 can pair up as valid two-byte UTF-8 ("ﾃｽ" reads as "ý").
  if (!IsAscii(bytes)) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    const bool beyond_two_bytes =
        std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x800; });
    if (!utf8.hasError() && beyond_two_bytes) return text;
  }
  return DecodeCp932(bytes);
}

QList<CsvRow> ReadCsvRows(QStringView s) {
  QList<CsvRow> rows;
  const qsizetype n = s.size();
  qsizetype i = 0;
  int line = 1;
  // Steps over the line end at i (CR LF counts once).
  auto skip_line_end = [&] {
    if (s[i] == u'\r' && i + 1 < n && s[i + 1] == u'\n') ++i;
    ++i;
    ++line;
  };

  while (i < n) {
    CsvRow row;
    row.line = line;
    while (true) {
      while (i < n && s[i] == u' ') ++i;
      if (i >= n) break;
      if (IsLineEnd(s[i])) {  // the line ends here, at its start or after a comma
        skip_line_end();
        break;
      }
      CsvValue v;
      v.line = line;
      v.number = static_cast<int>(row.values.size()) + 1;
      if (s[i] == u'"') {
        ++i;
        while (i < n) {
          if (s[i] == u'"') {
            if (i + 1 < n && s[i + 1] == u'"') {
              v.text += u'"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (IsLineEnd(s[i])) {
            const qsizetype from = i;
            skip_line_end();
            v.text += s.mid(from, i - from);
            continue;
          }
          v.text += s[i++];
        }
        while (i < n && s[i] != u',' && !IsLineEnd(s[i])) ++i;
      } else {
        const qsizetype from = i;
        while (i < n && s[i] != u',' && !IsLineEnd(s[i])) ++i;
        v.text = s.mid(from, i - from).toString();
      }
      row.values.append(std::move(v));
      if (i < n && s[i] == u',') {
        ++i;
        continue;
      }
      if (i < n) skip_line_end();
      break;
    }
    rows.append(std::move(row));
  }
  while (!rows.isEmpty() && rows.last().values.isEmpty()) rows.removeLast();
  return rows;
}

}  // namespace komasu
