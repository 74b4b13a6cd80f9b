#include "texttools/csv_format.h"

#include "platform/cp932.h"

namespace komasu {

namespace {

bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

}  // namespace

QString CsvField(const QString& text) {
  const bool quoted = text.contains(u',') || text.contains(u'，') || text.startsWith(u' ');
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
  return DecodeCp932(bytes);
}

QList<CsvValue> ReadCsvValues(QStringView s) {
  QList<CsvValue> values;
  const qsizetype n = s.size();
  qsizetype i = 0;
  int line = 1;
  int number = 0;  // values started on the current line so far
  // Steps over the line end at i (CR LF counts once).
  auto skip_line_end = [&] {
    if (s[i] == u'\r' && i + 1 < n && s[i + 1] == u'\n') ++i;
    ++i;
    ++line;
    number = 0;
  };

  while (true) {
    while (i < n && s[i] == u' ') ++i;
    if (i >= n) break;
    if (IsLineEnd(s[i])) {  // a line without values
      skip_line_end();
      continue;
    }
    CsvValue v;
    v.line = line;
    v.number = ++number;
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
    values.append(std::move(v));
    if (i >= n) break;
    if (s[i] == u',') {
      ++i;
      if (i < n && IsLineEnd(s[i])) skip_line_end();
    } else {
      skip_line_end();
    }
  }
  return values;
}

}  // namespace komasu
