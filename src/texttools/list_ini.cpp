#include "texttools/list_ini.h"

#include <QDir>

#include "platform/cp932.h"
#include "platform/settings_values.h"

namespace komasu {

QStringList SplitWordListRecord(const QString& record) {
  if (record.isEmpty() || record == QChar(kSeparator)) return {};
  QStringView rest(record);
  if (rest.startsWith(QChar(kSeparator))) rest = rest.mid(1);
  if (rest.endsWith(QChar(kSeparator))) rest.chop(1);
  QStringList items;
  for (const QStringView item : rest.split(QChar(kSeparator))) items.append(item.toString());
  return items;
}

QString JoinWordListRecord(const QString& name, const QStringList& words) {
  const QString z(kSeparator);
  QString record = z + name + z;
  for (const QString& word : words) record += word + z;
  return record;
}

QString WordListItemMessage(const QString& text) {
  if (text.contains(QChar(kSeparator))) {
    return QStringLiteral("「ζ」は補助文字の区切り文字のため使用できません。");
  }
  if (text.contains(u',')) {
    return QStringLiteral("半角のカンマ（,）は使用できません。全角の「，」をお使いください。");
  }
  return UnstorableTextMessage(text);
}

ListIni ListIni::Read(const QString& path) {
  ListIni list;
  list.disk_ = ReadRegularFile(path, kMaxListIniBytes);
  if (list.disk_.error != FileReadError::kMissing) {
    list.read_error_ = FileReadErrorText(path, list.disk_.error, list.disk_.error_number);
  }
  // The delimiters (comma, quote, blanks, line ends) are ASCII bytes that never occur inside a
  // CP932 character, so the values can be cut from the bytes themselves, one byte per char.
  const QStringList values =
      ParseSettingsValues(QString::fromLatin1(list.disk_.bytes), kWordListCategories);
  for (int k = 0; k < values.size(); ++k) {
    list.read_bytes_[k] = values[k].toLatin1();
    list.read_[k] = DecodeCp932(list.read_bytes_[k]);
    list.records_[k] = list.read_[k];
  }
  return list;
}

bool ListIni::ChangedOnDisk(const QString& path) const {
  const FileRead now = ReadRegularFile(path, kMaxListIniBytes);
  return now.error != disk_.error || now.bytes != disk_.bytes;
}

WriteResult ListIni::Write(const QString& path) {
  std::array<QByteArray, kWordListCategories> record_bytes;
  QByteArray bytes;
  for (int k = 0; k < kWordListCategories; ++k) {
    if (records_[k] == read_[k]) {
      record_bytes[k] = read_bytes_[k];
    } else {
      bool ok = false;
      record_bytes[k] = EncodeCp932(records_[k], &ok);
      if (!ok) {
        return {false, QStringLiteral("ファイル「%1」に保存できない文字があります。")
                           .arg(QDir::toNativeSeparators(path))};
      }
    }
    bytes += record_bytes[k] + "\r\n";
  }
  WriteResult result = WriteFileAtomically(path, bytes);
  if (result.ok) {
    read_ = records_;
    read_bytes_ = record_bytes;
    disk_ = {bytes, FileReadError::kNone};
    read_error_.clear();
  }
  return result;
}

}  // namespace komasu
