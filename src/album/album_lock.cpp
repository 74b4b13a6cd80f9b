#include "album/album_lock.h"

#include <QDir>
#include <QFileInfo>

#include "platform/prompter.h"

namespace komasu {

AlbumLock::AlbumLock(const QString& album_path) : lock_(LockPathFor(album_path)) {
  // Held as long as the album is open: only a lock whose program is gone is stale, never one
  // that is merely old.
  lock_.setStaleLockTime(0);
}

AlbumLock::Outcome AlbumLock::TryLock() {
  if (lock_.isLocked() || lock_.tryLock(0)) return Outcome::kLocked;
  return lock_.error() == QLockFile::LockFailedError ? Outcome::kInUse : Outcome::kUnavailable;
}

QString AlbumLock::LockPathFor(const QString& album_path) {
  const QFileInfo info(album_path);
  const QString canonical = info.canonicalFilePath();
  const QFileInfo target(canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                             : canonical);
  return target.dir().filePath(QStringLiteral(".~%1.lock").arg(target.fileName()));
}

std::optional<OpenLock> LockForOpening(const QString& path, Prompter& prompter) {
  auto lock = std::make_unique<AlbumLock>(path);
  switch (lock->TryLock()) {
    case AlbumLock::Outcome::kLocked:
      return OpenLock{std::move(lock), false};
    case AlbumLock::Outcome::kUnavailable:
      return OpenLock{nullptr, false};  // nothing else can lock it either
    case AlbumLock::Outcome::kInUse:
      break;
  }
  if (!prompter.AskYesNo(
          QStringLiteral("アルバム「%1」は他のプログラムで使用中です。\n\n"
                         "読み取り専用で開きますか？\n"
                         "（表示と印刷だけができます。「いいえ」を選ぶと開きません。）")
              .arg(QDir::toNativeSeparators(path)),
          QStringLiteral("使用中"), MessageIcon::kExclamation)) {
    return std::nullopt;
  }
  return OpenLock{nullptr, true};
}

}  // namespace komasu
