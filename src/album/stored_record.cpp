#include "album/stored_record.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "platform/cp932.h"

namespace komasu {

namespace {

constexpr char kSeparatorBytes[] = "\x83\xC4";  // "ζ" in CP932

bool IsLeadByte(uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(uchar b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Whether the reader, walking `bytes` character by character, ends on a lead byte that would
// take the first byte of whatever follows as its trail byte.
bool EndsInLoneLeadByte(QByteArrayView bytes) {
  const auto* b = reinterpret_cast<const uchar*>(bytes.data());
  qsizetype i = 0;
  while (i + 1 < bytes.size()) i += IsLeadByte(b[i]) && IsTrailByte(b[i + 1]) ? 2 : 1;
  return i + 1 == bytes.size() && IsLeadByte(b[i]);
}

}  // namespace

StoredRecord::StoredRecord(QByteArray bytes) : bytes_(std::move(bytes)) {
  // Separators are found as the decoder reads characters: a lead byte takes a valid trail byte
  // with it, so the 83 C4 inside another character's bytes is no separator.
  const qsizetype n = bytes_.size();
  const auto* b = reinterpret_cast<const uchar*>(bytes_.constData());
  QList<qsizetype> separators;
  for (qsizetype i = 0; i < n;) {
    if (IsLeadByte(b[i]) && i + 1 < n && IsTrailByte(b[i + 1])) {
      if (b[i] == 0x83 && b[i + 1] == 0xC4) separators.append(i);
      i += 2;
    } else {
      ++i;
    }
  }
  prefix_end_ = separators.isEmpty() ? n : separators.first();
  suffix_start_ = separators.isEmpty() ? n : separators.last() + 2;

  // Each part is decoded on its own, so the text of a field is exactly what its bytes read as.
  QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
  text_.reserve(n);
  auto append = [&](qsizetype from, qsizetype to) {
    const QByteArrayView part = QByteArrayView(bytes_).sliced(from, to - from);
    // Most fields are numbers and words in printable ASCII, which CP932 reads as Latin-1.
    if (std::all_of(part.begin(), part.end(), [](char c) { return c >= 0x20 && c <= 0x7E; })) {
      text_ += QLatin1StringView(part);
    } else {
      text_ += decoder.decode(part);
    }
  };
  append(0, prefix_end_);
  fields_.reserve(separators.size());
  for (qsizetype k = 0; k < separators.size(); ++k) {
    text_ += QChar(kSeparator);
    if (k + 1 == separators.size()) break;
    const qsizetype from = separators[k] + 2, to = separators[k + 1];
    const qsizetype text_start = text_.size();
    append(from, to);
    fields_.append({from, to, text_start, text_.size()});
  }
  if (!separators.isEmpty()) append(suffix_start_, n);
}

QStringView StoredRecord::FieldText(qsizetype i) const {
  const Part& p = fields_[i];
  return QStringView(text_).sliced(p.text_start, p.text_end - p.text_start);
}

QByteArrayView StoredRecord::FieldBytes(qsizetype i) const {
  const Part& p = fields_[i];
  return QByteArrayView(bytes_).sliced(p.byte_start, p.byte_end - p.byte_start);
}

std::optional<qsizetype> StoredRecord::Find(QStringView field) const {
  if (fields_.isEmpty()) return std::nullopt;
  if (!by_text_) {
    by_text_.emplace();
    by_text_->reserve(fields_.size());
    for (qsizetype i = fields_.size() - 1; i >= 0; --i) by_text_->insert(FieldText(i), i);
  }
  const auto it = by_text_->constFind(field);
  if (it == by_text_->cend()) return std::nullopt;
  return *it;
}

bool StoredRecord::Holds(QStringView field) const { return Find(field).has_value(); }

QByteArray StoredRecord::Encode(const QString& record, bool* ok) const {
  QByteArray out;
  out.reserve(std::max<qsizetype>(bytes_.size(), record.size()) + 64);
  out += QByteArrayView(bytes_).first(prefix_end_);
  QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
  bool valid = true;
  const QStringView text(record);
  qsizetype pos = text.indexOf(QChar(kSeparator));
  if (pos >= 0) {
    // Stored bytes without a separator that end in half a character would swallow the first
    // separator written after them, and the page would read shifted by a field: a blank keeps
    // them apart.
    if (EndsInLoneLeadByte(out)) out += ' ';
    out += kSeparatorBytes;
  }
  for (qsizetype index = 0; pos >= 0; ++index) {
    const qsizetype next = text.indexOf(QChar(kSeparator), pos + 1);
    if (next < 0) break;
    const QStringView field = text.sliced(pos + 1, next - pos - 1);
    if (index < fields_.size() && FieldText(index) == field) {
      out += FieldBytes(index);
    } else if (const auto k = Find(field)) {
      out += FieldBytes(*k);
    } else {
      out += encoder.encode(WithWindowsForms(field));
      // The encoder drops an unpaired surrogate at the end of the text without an error.
      valid = valid && field.isValidUtf16();
    }
    out += kSeparatorBytes;
    pos = next;
  }
  out += QByteArrayView(bytes_).sliced(suffix_start_);
  *ok = valid && !encoder.hasError();
  return out;
}

}  // namespace komasu
