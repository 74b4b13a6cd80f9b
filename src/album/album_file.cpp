#include "album/album_file.h"

namespace komasu {

QList<QByteArray> SplitAlbumRecords(QByteArrayView bytes) {
  QList<QByteArray> records;
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  auto is_line_end = [&](qsizetype k) { return bytes[k] == '\r' || bytes[k] == '\n'; };
  while (i < n) {
    if (is_line_end(i)) {
      ++i;
      continue;
    }
    if (bytes[i] == '"') {
      const qsizetype close = bytes.indexOf('"', i + 1);
      const qsizetype end = close < 0 ? n : close;
      records.append(bytes.sliced(i + 1, end - i - 1).toByteArray());
      i = close < 0 ? n : close + 1;
      // Whatever stands between the closing quote and the line end is not part of a record.
      while (i < n && !is_line_end(i)) ++i;
    } else {
      const qsizetype start = i;
      while (i < n && !is_line_end(i)) ++i;
      records.append(bytes.sliced(start, i - start).toByteArray());
    }
  }
  return records;
}

QByteArray JoinAlbumRecords(const QList<QByteArray>& records) {
  qsizetype total = 0;
  for (const QByteArray& r : records) total += r.size() + 4;
  QByteArray out;
  out.reserve(total);
  for (const QByteArray& r : records) {
    out += '"';
    out += r;
    out += "\"\r\n";
  }
  return out;
}

}  // namespace komasu
