// Opening, creating and saving albums, the snapshot back.apt and the closing question.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "album/album.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

const QString kFileFilter = QStringLiteral("すべてのファイル (*.apt)");
const QString kOverwriteQuestion = QStringLiteral("同じファイル名が存在します！上書きしますか？");

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

bool Album::TakeSnapshot(const QByteArray* bytes) {
  // back.apt may still hold another album (an earlier run, a failed copy); it must never be
  // restored over this one.
  if (read_only_) {
    snapshot_.Drop();
    return true;  // back.apt belongs to the program that holds the album
  }
  return bytes ? snapshot_.TakeBytes(path_, *bytes) : snapshot_.Take(path_);
}

bool Album::Save() {
  if (RefuseReadOnly() || !SaveCurrentPage()) return false;
  snapshot_.Renew(path_);
  SetModified(false);
  return true;
}

bool Album::RestoreSnapshot() {
  const std::optional<QByteArray> bytes = snapshot_.BytesToRestore(path_);
  if (!bytes || !store_.MayOverwriteChanged(path_)) return false;
  const WriteResult r = WriteFileAtomically(path_, *bytes);
  if (!r.ok) Report(r.error);
  return r.ok;
}

bool Album::ConfirmClose() {
  if (!modified_ || read_only_) return true;
  const std::optional<bool> save = prompter_.AskYesNoCancel(
      QStringLiteral("アルバムを保存しますか"), QStringLiteral("確認"), MessageIcon::kQuestion);
  if (!save) return false;  // the window stays open with everything as it was
  if (*save) return SaveCurrentPage();
  RestoreSnapshot();
  return true;
}

// ---------------------------------------------------------------- file commands

QString Album::ChooseTargetName(const QString& title, bool save_dialog) {
  QString name = save_dialog ? prompter_.ChooseSaveFile(title, file_save_folder_, kFileFilter)
                             : prompter_.ChooseOpenFile(title, file_save_folder_, kFileFilter);
  if (name.isEmpty()) return {};
  if (!name.endsWith(QStringLiteral(".apt"))) name += QStringLiteral(".apt");
  if (QFile::exists(name) && !prompter_.AskYesNo(kOverwriteQuestion, QStringLiteral("上書き"),
                                                 MessageIcon::kQuestion, true)) {
    return {};
  }
  return name;
}

bool Album::CanOpenAsAlbum(const QString& path, QByteArray* bytes, QString* damage_notice) {
  QList<qsizetype> damaged;
  if (const QString problem = AlbumFileProblem(path, bytes, &damaged); !problem.isEmpty()) {
    Report(problem);
    return false;
  }
  *damage_notice = DamagedRecordsNotice(damaged);
  return true;
}

bool Album::RefuseInUse(const QString& path) {
  if (lock_ && SameFile(path, path_)) return false;
  if (!QFileInfo::exists(path) || AlbumLock(path).TryLock() != AlbumLock::Outcome::kInUse) {
    return false;
  }
  Report(QStringLiteral("アルバム「%1」は他のプログラムで使用中のため、上書きできません。")
             .arg(Shown(path)));
  return true;
}

bool Album::SwitchTo(const QString& path) {
  // The shown page of the album open so far is written back before another one replaces it.
  if (!path_.isEmpty() && page_count_ > 0 && !SaveCurrentPage()) return false;
  path_ = path;
  return true;
}

bool Album::OpenAlbum() {
  QString path = path_;
  const bool from_dialog = !pending_open_path_;
  if (pending_open_path_) {
    path = *pending_open_path_;
  } else {
    path =
        prompter_.ChooseOpenFile(QStringLiteral("アルバムを開く"), file_save_folder_, kFileFilter);
    if (path.isEmpty()) return false;
  }
  pending_open_path_.reset();
  QString damage_notice;
  QByteArray bytes;
  if (!CanOpenAsAlbum(path, &bytes, &damage_notice)) return false;
  // Reopening the album this program holds keeps its lock.
  const bool keeps_lock = lock_ && SameFile(path, path_);
  std::optional<OpenLock> opened;
  if (!keeps_lock) {
    opened = LockForOpening(path, prompter_, write_access_(path));
    if (!opened) return false;
  }
  if (from_dialog) {
    const bool same_album = !path_.isEmpty() && SameFile(path, path_);
    if (!SwitchTo(path)) return false;
    // Reopening the album shown: its write-back just changed the bytes checked.
    if (same_album) {
      bool read = false;
      const QByteArray written = ReadFileBytes(path, &read);
      if (read) bytes = written;
    }
  } else {
    path_ = path;
  }
  if (opened) {
    lock_ = std::move(opened->lock);
    read_only_ = opened->read_only;
  }

  ClearPage();
  // The file is read once: the check, the snapshot and the records share its bytes.
  if (!TakeSnapshot(&bytes)) snapshot_.ReportTakeFailed();
  store_.Adopt(path_, bytes);
  EnsureRecords();
  if (current_page_ == 1) {
    LoadPage();
  } else {
    SetCurrentPage(1);
  }
  page_count_ = static_cast<int>(store_.Records().size()) - 1;
  header_record_ = StoredRecord(store_.Records().value(0));
  header_ = DecodeHeader(header_record_.Text());
  emit AlbumOpened();
  EmitPageShown();
  if (!damage_notice.isEmpty()) Report(damage_notice);
  return true;
}

bool Album::OpenAlbumAt(const QString& path) {
  pending_open_path_ = path;
  return OpenAlbum();
}

bool Album::NewAlbum() {
  const QString name = ChooseTargetName(QStringLiteral("新規アルバム"), true);
  if (name.isEmpty() || RefuseInUse(name)) return false;
  const QString old_path = path_;
  const int old_count = page_count_;
  const bool old_read_only = read_only_;
  if (!SwitchTo(name)) return false;

  ClearPage();
  const AlbumHeader old_header = header_;
  const StoredRecord old_header_record = header_record_;
  header_ = AlbumHeader();
  header_record_ = StoredRecord();
  read_only_ = false;
  if (!WriteRecords({EncodeCp932(SerializeHeader(header_))})) {
    path_ = old_path;  // the album open before stays open
    header_ = old_header;
    header_record_ = old_header_record;
    page_count_ = old_count;
    read_only_ = old_read_only;
    LoadPage();
    return false;
  }
  if (!(lock_ && SameFile(name, old_path))) {
    lock_ = std::make_unique<AlbumLock>(name);
    if (lock_->TryLock() != AlbumLock::Outcome::kLocked) lock_.reset();
  }
  header_.date = QLocale(QLocale::Japanese).toString(clock_.Now().date(), QLocale::ShortFormat);
  suppress_page_load_ = true;
  page_count_ = 1;
  if (current_page_ == 1) {
    LoadPage();  // only lays the page out and clears the suppression
  } else {
    SetCurrentPage(1);
  }
  SaveCurrentPage();
  if (!TakeSnapshot()) snapshot_.ReportTakeFailed();
  emit AlbumOpened();
  EmitPageShown();
  return true;
}

bool Album::SaveAlbumAs() {
  pending_open_path_.reset();
  const QString name = ChooseTargetName(QStringLiteral("名前を付けて保存"), true);
  if (name.isEmpty()) return false;
  if (SameFile(name, path_)) return Save();
  if (RefuseInUse(name) || !SaveCurrentPage()) return false;
  const WriteResult copied = CopyFileOver(path_, name);
  if (!copied.ok) {
    Report(copied.error);
    return false;
  }
  RestoreSnapshot();
  pending_open_path_ = name;
  if (!OpenAlbum()) return false;
  SetModified(false);
  return true;
}

}  // namespace komasu
