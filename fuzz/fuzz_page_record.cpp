// Feeds one album record (CP932 bytes) to the page record reader and writes the page back as
// the album does when a page is left: the stored record encodes the page's serialized text.
// Aborts when a write-back changes what it should keep:
// - the record's own text, encoded against it, is not its bytes;
// - a page read from a written-back record and written back again does not give those bytes
//   (every page shown and left again would drift).

#include <cstddef>
#include <cstdint>

#include "album/layout_settings.h"
#include "album/page_reader.h"
#include "album/page_record.h"
#include "album/stored_record.h"
#include "platform/cp932.h"

namespace {

// Reads `stored` as page `n` and writes it back; empty when the album keeps it untouched (of
// another version) or cannot encode it.
QByteArray WrittenBack(const komasu::StoredRecord& stored, int n) {
  const komasu::LayoutSettings layout;
  komasu::PageContent page;
  if (!komasu::ReadPageText(stored.Text(), n, layout, page).version_ok) return {};
  bool ok = false;
  QByteArray bytes = stored.Encode(komasu::SerializePage(page), &ok);
  return ok ? bytes : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  komasu::DecodeHeader(komasu::DecodeCp932(bytes));

  const komasu::StoredRecord stored(bytes);
  bool ok = false;
  if (stored.Encode(stored.Text(), &ok) != bytes || !ok) __builtin_trap();

  const int n = 1 + static_cast<int>(size % 2);  // left- and right-bound pages
  const QByteArray first = WrittenBack(stored, n);
  if (first.isEmpty()) return 0;
  if (WrittenBack(komasu::StoredRecord(first), n) != first) __builtin_trap();
  return 0;
}
