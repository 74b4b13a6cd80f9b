#include "album/record_store.h"

#include <QDir>
#include <QFileInfo>

#include "album/album_file.h"
#include "platform/prompter.h"
#include "platform/text_file.h"

namespace komasu {

RecordStore::FileStamp RecordStore::StampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {path, -1, {}};
  return {path, info.size(), info.lastModified()};
}

bool RecordStore::Ensure(const QString& path) {
  if (batch_depth_ > 0 && path_ == path) return true;  // memory is ahead of the file
  const FileStamp now = StampOf(path);
  if (path_ == path && size_ == now.size && mtime_ == now.mtime) return true;
  if (now.size < 0 || now.size > kMaxAlbumFileBytes) return false;  // keep what was known
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(path, &ok);
  if (!ok) return false;
  records_ = SplitAlbumRecords(bytes);
  path_ = path;
  size_ = now.size;
  mtime_ = now.mtime;
  return true;
}

void RecordStore::Adopt(const QString& path, const QByteArray& bytes) {
  const FileStamp now = StampOf(path);
  records_ = SplitAlbumRecords(bytes);
  path_ = path;
  size_ = now.size;
  mtime_ = now.mtime;
  if (now.size != bytes.size()) path_.clear();
}

bool RecordStore::ChangedBehindUs(const QString& path) const {
  return !path.isEmpty() && shown_.path == path && StampOf(path) != shown_;
}

bool RecordStore::MayOverwriteChanged(const QString& path) {
  if (!ChangedBehindUs(path)) return true;
  const QString shown = QDir::toNativeSeparators(path);
  if (prompter_.AskYesNo(
          QStringLiteral("アルバム「%1」は他のプログラムによって変更されています。上書きしますか？")
              .arg(shown),
          QStringLiteral("上書き"), MessageIcon::kExclamation, true)) {
    shown_ = StampOf(path);
    return true;
  }
  prompter_.Notify(QStringLiteral("アルバム「%1」は書き込まれませんでした。"
                                  "他のプログラムによる変更はそのまま残っています。")
                       .arg(shown),
                   ApplicationTitle(), MessageIcon::kExclamation);
  return false;
}

bool RecordStore::Write(const QString& path, const QList<QByteArray>& records) {
  if (batch_depth_ > 0) {
    records_ = records;
    path_ = path;
    batch_dirty_ = true;
    return true;
  }
  const WriteResult result = WriteFileAtomically(path, JoinAlbumRecords(records));
  if (!result.ok) {
    prompter_.Notify(
        QStringLiteral("アルバムを保存できませんでした。元のファイルはそのまま残っています。\n\n") +
            result.error,
        ApplicationTitle(), MessageIcon::kExclamation);
    return false;
  }
  records_ = records;
  path_ = path;
  const FileStamp now = StampOf(path);
  size_ = now.size;
  mtime_ = now.mtime;
  shown_ = Stamp();
  return true;
}

bool RecordStore::ReplaceInBatch(const QString& path, qsizetype index, const QByteArray& bytes) {
  if (batch_depth_ == 0 || path_ != path || index < 0 || index >= records_.size()) return false;
  records_[index] = bytes;
  batch_dirty_ = true;
  return true;
}

bool RecordStore::EndBatchLevel(bool* dirty) {
  *dirty = false;
  if (batch_depth_ == 0 || --batch_depth_ > 0) return false;
  *dirty = batch_dirty_;
  batch_dirty_ = false;
  return true;
}

}  // namespace komasu
