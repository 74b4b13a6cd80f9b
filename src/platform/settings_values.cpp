#include "platform/settings_values.h"

#include "platform/cp932.h"
#include "platform/regular_file.h"

namespace komasu {

QStringList ParseSettingsValues(const QString& text, int max_values) {
  QStringList values;
  const qsizetype n = text.size();
  qsizetype i = 0;
  auto is_blank = [](QChar c) { return c == u' ' || c == u'\t'; };
  auto is_line_end = [](QChar c) { return c == u'\r' || c == u'\n'; };
  while (i < n && values.size() < max_values) {
    while (i < n && is_blank(text[i])) ++i;
    QString value;
    if (i < n && text[i] == u'"') {
      const qsizetype close = text.indexOf(u'"', i + 1);
      const qsizetype end = close < 0 ? n : close;
      value = text.mid(i + 1, end - i - 1);
      i = close < 0 ? n : close + 1;
      // Anything between the closing quote and the delimiter is dropped.
      while (i < n && text[i] != u',' && !is_line_end(text[i])) ++i;
    } else {
      const qsizetype start = i;
      while (i < n && text[i] != u',' && !is_line_end(text[i])) ++i;
      value = text.mid(start, i - start);
      while (!value.isEmpty() && is_blank(value.back())) value.chop(1);
    }
    values.append(value);
    if (i < n) {
      if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
      ++i;
    }
  }
  return values;
}

QStringList ReadSettingsFile(const QString& path, int max_values, QString* error,
                             qint64 max_bytes) {
  const FileRead read = ReadRegularFile(path, max_bytes);
  if (error) {
    *error =
        read.error == FileReadError::kMissing ? QString() : FileReadErrorText(path, read.error, read.error_number);
  }
  if (!read.ok()) return {};
  return ParseSettingsValues(DecodeCp932(read.bytes), max_values);
}

QStringList SettingsFileProblems(const QStringList& paths) {
  QStringList problems;
  for (const QString& path : paths) {
    QString error;
    ReadSettingsFile(path, 0, &error);
    if (!error.isEmpty()) problems.append(error);
  }
  return problems;
}

}  // namespace komasu
