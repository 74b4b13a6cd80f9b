// Feeds one album record (CP932 bytes) to the page record reader, then writes the page back.

#include <cstddef>
#include <cstdint>

#include "album/page_record.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString record = komasu::DecodeCp932(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  komasu::PageContent page;
  komasu::DecodePageRecord(record, page);
  komasu::SerializePage(page);
  komasu::DecodeHeader(record);
  return 0;
}
