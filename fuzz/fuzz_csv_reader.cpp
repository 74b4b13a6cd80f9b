// Feeds a CSV file (CP932, or UTF-8 after a byte order mark) to the value reader, and checks
// that the values, written back as the export writes them, read back unchanged.

#include <cstddef>
#include <cstdint>

#include "texttools/csv_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QList<komasu::CsvValue> values = komasu::ReadCsvValues(komasu::DecodeCsvBytes(bytes));
  QStringList texts;
  int line = 1;
  for (const komasu::CsvValue& v : values) {
    if (v.line < line || v.number < 1) __builtin_trap();
    line = v.line;
    // The album stores neither quotes nor line breaks in slot texts; all else must round-trip.
    if (v.text.contains(u'"') || v.text.contains(u'\r') || v.text.contains(u'\n')) continue;
    texts << v.text;
  }
  QStringList back;
  for (const komasu::CsvValue& v : komasu::ReadCsvValues(komasu::CsvLine(texts))) back << v.text;
  if (back != texts) __builtin_trap();
  return 0;
}
