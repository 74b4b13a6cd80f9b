#include "album/album_lock.h"

#include <QDir>
#include <QFileInfo>

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

}  // namespace komasu
