// Feeds album file bytes to the record splitter and reads them as an album is opened: the
// header record, then every page record. Aborts when the splitter loses or changes bytes:
// - the records joined again and split give back the same records, so the bytes a save writes
//   read back as they were written; only a record that holds a quote reads as damaged again;
// - every byte that is not framing (quotes, line ends) is in some record, in its order.

#include <cstddef>
#include <cstdint>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"

namespace {

QByteArray WithoutFraming(QByteArray bytes) {
  bytes.removeIf([](char c) { return c == '"' || c == '\r' || c == '\n'; });
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QList<QByteArray> records = komasu::SplitAlbumRecords(bytes);
  const QByteArray joined = komasu::JoinAlbumRecords(records);
  QList<qsizetype> damaged;
  if (komasu::SplitAlbumRecords(joined, &damaged) != records) __builtin_trap();
  for (qsizetype i : damaged) {
    if (!records[i].contains('"')) __builtin_trap();
  }
  if (WithoutFraming(bytes.toByteArray()) != WithoutFraming(joined)) __builtin_trap();

  if (records.size() < 2) return 0;
  const QByteArray zeta = komasu::EncodeCp932(QStringLiteral("ζ"));
  if (!records[0].startsWith(zeta) || !records[1].startsWith(zeta)) return 0;
  komasu::DecodeHeader(komasu::DecodeCp932(records[0]));
  for (qsizetype i = 1; i < records.size(); ++i) {
    if (records[i].size() > komasu::kMaxRecordBytes) continue;  // the album does not decode it
    komasu::PageContent page;
    komasu::DecodePageRecord(komasu::DecodeCp932(records[i]), page);
  }
  return 0;
}
