// Feeds a CSV file (CP932 or UTF-8) to the row reader, and checks that the rows, written back as
// the export writes them, read back unchanged, row for row.

#include <cstddef>
#include <cstdint>

#include "texttools/csv_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QList<komasu::CsvRow> rows = komasu::ReadCsvRows(komasu::DecodeCsvBytes(bytes));
  QList<QStringList> texts;
  int line = 0;
  for (const komasu::CsvRow& row : rows) {
    if (row.line <= line) __builtin_trap();
    line = row.line;
    QStringList page;
    for (qsizetype k = 0; k < row.values.size(); ++k) {
      const komasu::CsvValue& v = row.values[k];
      if (v.line < line || v.number != k + 1) __builtin_trap();
      line = v.line;
      // The export does not double quotes (the album stores none); all else must round-trip.
      if (!v.text.contains(u'"')) page << v.text;
    }
    texts << page;
  }
  while (!texts.isEmpty() && texts.last().isEmpty()) texts.removeLast();
  QString file;
  for (const QStringList& page : texts) file += komasu::CsvLine(page) + QStringLiteral("\r\n");
  QList<QStringList> back;
  for (const komasu::CsvRow& row : komasu::ReadCsvRows(file)) {
    QStringList page;
    for (const komasu::CsvValue& v : row.values) page << v.text;
    back << page;
  }
  if (back != texts) __builtin_trap();
  return 0;
}
