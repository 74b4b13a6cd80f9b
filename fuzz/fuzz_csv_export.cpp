// Makes slot texts of pages from the input (CP932 text; a tab ends a value, a form feed a page;
// values an album cannot store are left empty), writes them as the CSV export does (a CP932
// file) and reads the file as the import does. Aborts when a page's texts do not come back, or
// when the file is not read as CP932 where it cannot be UTF-8 text of kana or kanji.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "album/page_content.h"
#include "platform/cp932.h"
#include "texttools/csv_format.h"

namespace {

// What a slot line of an album can hold: text it can store, line breaks included.
bool Storable(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x20 && c != u'\r' && c != u'\n') return false;
  }
  return komasu::UnstorableTextMessage(text, true).isEmpty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString input = komasu::DecodeCp932(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  QList<QStringList> pages;
  for (const QString& chunk : input.split(u'\f')) {
    QStringList texts = chunk.split(u'\t').mid(0, komasu::kSlotTextLines);
    for (QString& t : texts) {
      if (!Storable(t)) t.clear();
    }
    while (texts.size() < komasu::kSlotTextLines) texts << QString();
    pages << texts;
  }

  QString file;
  for (const QStringList& texts : pages) file += komasu::CsvLine(texts) + QStringLiteral("\r\n");
  bool ok = false;
  const QByteArray bytes = komasu::EncodeCp932(file, &ok);
  if (!ok) __builtin_trap();

  // A file without a byte order mark is a guess between CP932 and UTF-8: the export's bytes
  // must read as CP932 unless they are valid UTF-8 holding a character of three bytes.
  const QString cp932 = komasu::DecodeCp932(bytes);
  const QString guessed = komasu::DecodeCsvBytes(bytes);
  if (guessed != cp932) {
    const QString utf8 = QString::fromUtf8(bytes);
    if (guessed != utf8 || utf8.toUtf8() != bytes ||
        std::none_of(utf8.cbegin(), utf8.cend(), [](QChar c) { return c.unicode() >= 0x800; })) {
      __builtin_trap();
    }
  }

  QList<QStringList> back;
  for (const komasu::CsvRow& row : komasu::ReadCsvRows(cp932)) {
    QStringList texts;
    for (const komasu::CsvValue& v : row.values) texts << v.text;
    while (texts.size() < komasu::kSlotTextLines) texts << QString();
    back << texts;
  }
  // Empty pages at the end may come back as no rows: the pages after the file's last row keep
  // their (empty) texts.
  const QStringList empty(komasu::kSlotTextLines, QString());
  while (!pages.isEmpty() && pages.last() == empty) pages.removeLast();
  while (!back.isEmpty() && back.last() == empty) back.removeLast();
  if (back != pages) __builtin_trap();
  return 0;
}
