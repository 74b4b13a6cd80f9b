#include "platform/write_access.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

namespace komasu {

WriteAccess ProbeWriteAccess(const QString& file) {
  const QFileInfo info(file);
  const QStorageInfo storage(info.absolutePath());
  if (storage.isValid() && storage.isReadOnly()) return WriteAccess::kReadOnlyMedium;
  if (info.exists() && !info.isWritable()) return WriteAccess::kReadOnlyFile;
  QTemporaryFile probe(info.dir().filePath(QStringLiteral(".~komasu-XXXXXX")));
  if (!probe.open()) return WriteAccess::kFolderClosed;
  return WriteAccess::kWritable;  // the probe file is removed with `probe`
}

}  // namespace komasu
