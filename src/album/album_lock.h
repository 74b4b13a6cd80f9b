#pragma once
// Guards an album file against a second program writing it while it is open: a lock file
// beside the album (".~NAME.lock"), held for as long as the album is open. A lock left behind
// by a program that ended without removing it (a crash, a power cut) is taken over.

#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

namespace komasu {

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

  // The lock file of an album; every spelling of the same file gives the same lock.
  static QString LockPathFor(const QString& album_path);

 private:
  QLockFile lock_;
};

class Prompter;

// How an album is opened as far as other copies of the program are concerned.
struct OpenLock {
  std::unique_ptr<AlbumLock> lock;  // null when not guarded or read-only
  bool read_only = false;
};
// Locks `path` for opening; when another program holds it, asks to open it read-only. Nothing
// when it must not be opened.
std::optional<OpenLock> LockForOpening(const QString& path, Prompter& prompter);

}  // namespace komasu
