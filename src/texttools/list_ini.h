#pragma once
// list.ini, the ten word-list categories: each record is "ζ" name "ζ" word "ζ" … "ζ", one
// record per line, read as ten settings values. Records are kept as read, bytes included, so
// a save rewrites only the record that changed; the file is replaced atomically. The file's
// bytes as last read or written are kept too, so a change made on disk meanwhile (a settings
// migration, another copy of the program) is noticed before a stale copy is written over it.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

#include "platform/regular_file.h"
#include "platform/text_file.h"

namespace komasu {

inline constexpr int kWordListCategories = 10;

// The items of one record: the category name first, then the words in order. A record
// without its closing "ζ" (or without any) keeps the text after the last "ζ" as its final
// item; an empty record or a lone "ζ" has no items.
QStringList SplitWordListRecord(const QString& record);
// "ζ" name "ζ" word1 "ζ" … "ζ".
QString JoinWordListRecord(const QString& name, const QStringList& words);

// Empty when `text` can be a category name or a word; otherwise the message that refuses it.
// The separator, the ASCII comma (it would split the record on the next read), line breaks,
// the double quote and characters outside CP932 cannot be stored.
QString WordListItemMessage(const QString& text);

class ListIni {
 public:
  // Reads the ten records of `path`; a missing file or missing values give empty records, and
  // so does a file that cannot be read (see ReadError).
  static ListIni Read(const QString& path);

  // Why the file could not be read (larger than kMaxListIniBytes, not a regular file, …);
  // empty when it was read or does not exist.
  const QString& ReadError() const { return read_error_; }
  // True when `path` no longer holds what was last read from or written to it.
  bool ChangedOnDisk(const QString& path) const;

  const QString& Record(int index) const { return records_.at(index); }  // 0..9
  void SetRecord(int index, const QString& record) { records_.at(index) = record; }

  // Writes the ten records, one per line with CR LF. A record unchanged since it was read is
  // written with the bytes it was read with. Refuses (writing nothing) a changed record that
  // CP932 cannot hold.
  WriteResult Write(const QString& path);

 private:
  std::array<QString, kWordListCategories> records_;
  std::array<QString, kWordListCategories> read_;
  std::array<QByteArray, kWordListCategories> read_bytes_;
  FileRead disk_;
  QString read_error_;
};

}  // namespace komasu
