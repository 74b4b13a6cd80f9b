#pragma once
// The bytes of one stored record split at its separators, with the text each part reads as.
// A record encoded against it copies the stored bytes of every field whose text did not
// change, so a write-back changes only what the user changed: characters with two CP932 codes,
// bytes CP932 cannot read and text the reader ignores keep their bytes.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace komasu {

class StoredRecord {
 public:
  StoredRecord() = default;
  explicit StoredRecord(QByteArray bytes);

  // The record as text: each part between separators decoded on its own.
  const QString& Text() const { return text_; }

  // Whether a stored field reads as `field`; such a text is written with the stored bytes, so
  // it needs no check that CP932 can hold it.
  bool Holds(QStringView field) const;

  // Encodes `record`, fields between separators as the serializer writes them. A field that
  // reads as the stored field at the same place, or else as any stored field, takes the stored
  // bytes; the others are encoded as EncodeCp932 does (typed forms as their Windows forms).
  // The stored bytes before the first and after the last separator are kept (the reader
  // ignores them; the serializer writes none). `ok` is false when an encoded field holds a
  // character CP932 cannot.
  QByteArray Encode(const QString& record, bool* ok) const;

 private:
  struct Part {
    qsizetype byte_start, byte_end, text_start, text_end;
  };
  QStringView FieldText(qsizetype i) const;
  QByteArrayView FieldBytes(qsizetype i) const;
  std::optional<qsizetype> Find(QStringView field) const;

  QByteArray bytes_;
  QString text_;
  QList<Part> fields_;
  qsizetype prefix_end_ = 0;    // bytes before the first separator
  qsizetype suffix_start_ = 0;  // bytes after the last separator
  mutable std::optional<QHash<QStringView, qsizetype>> by_text_;
};

}  // namespace komasu
