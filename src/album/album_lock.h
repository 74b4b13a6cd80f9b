#pragma once
// Guards an album file against a second program writing it while it is open: a lock file
// beside the album (".~NAME.lock"), held for as long as the album is open. A lock left behind
// by a program of this computer that ended without removing it (a crash, a power cut) is taken
// over silently; one from another computer (a stick, a share) only when the user agrees.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

#include "platform/write_access.h"

namespace komasu {

// Who holds a lock, as far as the lock file tells. The lock file is QLockFile's (process id,
// program name, host name, machine and boot id, one a line) and is written once when the lock is
// taken, so its modification time is the time it was taken. A lock of an older program that
// lacks a field still holds; the field is then empty or invalid.
struct LockHolder {
  QString host;  // empty when the lock file does not say
  bool this_computer = false;
  QDateTime since;  // invalid when unknown
};

class AlbumLock {
 public:
  enum class Outcome {
    kLocked,       // this program now holds the album
    kInUse,        // another running program holds it
    kUnavailable,  // no lock file can be made there (a read-only folder): not guarded
  };

  explicit AlbumLock(const QString& album_path);
  AlbumLock(const AlbumLock&) = delete;
  AlbumLock& operator=(const AlbumLock&) = delete;

  // Tries once, without waiting.
  Outcome TryLock();
  // Who holds the lock file now.
  LockHolder Holder() const;
  // Removes the lock another computer left and takes it; false when that failed (the other
  // computer still holds it through the file system, or the file cannot be removed).
  bool TakeOver();

  // The lock file of an album; every spelling of the same file gives the same lock.
  static QString LockPathFor(const QString& album_path);

 private:
  QString lock_path_;
  QLockFile lock_;
};

// Who holds the album at `path` when another running program does; nothing when it is free
// (the lock is tried and released again).
std::optional<LockHolder> AlbumInUseBy(const QString& path);
// "アルバム「…」はコンピューター「…」で … から使用中です。" for the command line.
QString AlbumInUseText(const QString& path, const LockHolder& holder);

class Prompter;

// How an album is opened as far as other copies of the program are concerned.
struct OpenLock {
  std::unique_ptr<AlbumLock> lock;  // null when not guarded or read-only
  bool read_only = false;
};
// Locks `path` for opening. An album that cannot be written where it is (`access`) opens
// read-only; one in a folder that takes no new file cannot be saved by the atomic rewrite, which
// is said. When another program holds it, asks to open it read-only or, when the lock comes from
// another computer, to take the lock over. Nothing when it must not be opened.
std::optional<OpenLock> LockForOpening(const QString& path, Prompter& prompter, WriteAccess access);

}  // namespace komasu
