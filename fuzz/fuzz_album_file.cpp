// Feeds album file bytes to the record splitter and reads them as an album is opened: the
// header record, then every page record.

#include <cstddef>
#include <cstdint>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QList<QByteArray> records = komasu::SplitAlbumRecords(bytes);
  komasu::SplitAlbumRecords(komasu::JoinAlbumRecords(records));
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
