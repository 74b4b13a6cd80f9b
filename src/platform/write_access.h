#pragma once
// Whether an album file can be written where it is. Saving rewrites it atomically (a new file
// beside it renamed over it), so the folder must take new files as well as the file itself
// being writable.

#include <QString>

namespace komasu {

enum class WriteAccess {
  kWritable,
  kReadOnlyMedium,  // the file system is mounted read-only (a locked stick, a CD, a share)
  kReadOnlyFile,    // the file itself cannot be written
  kFolderClosed,    // the file can be written but its folder takes no new file
};

// Looks at `file` and its folder; the folder is tried by creating (and removing) a file in it,
// so what the system really allows decides, also for an administrator.
WriteAccess ProbeWriteAccess(const QString& file);

}  // namespace komasu
