#include "platform/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "platform/file_error.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace komasu {

FileReadError OpenRegularFile(const QString& path, QFile& file) {
  file.close();
  if (path.isEmpty()) return FileReadError::kMissing;
#ifdef Q_OS_UNIX
  // Opening a FIFO for reading blocks until a writer comes, unless O_NONBLOCK is given; the
  // type is then checked on the open descriptor, so nothing can be swapped in between.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileReadError::kMissing : FileReadError::kFailed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileReadError::kNotRegular;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return FileReadError::kFailed;
  }
  return FileReadError::kNone;
#else
  const QFileInfo info(path);
  if (!info.exists()) return FileReadError::kMissing;
  if (!info.isFile()) return FileReadError::kNotRegular;
  file.setFileName(path);
  return file.open(QIODevice::ReadOnly) ? FileReadError::kNone : FileReadError::kFailed;
#endif
}

FileRead ReadRegularFile(const QString& path, qint64 max_bytes) {
  FileRead result;
  QFile file;
  errno = 0;
  result.error = OpenRegularFile(path, file);
  if (!result.ok()) {
    result.error_number = errno;
    return result;
  }
  const qint64 size = file.size();
  if (size > max_bytes) {
    result.error = FileReadError::kTooLarge;
    return result;
  }
  // One byte more than the size: a file that grows while it is read (or reports no size, as
  // some system files do) is still cut off at the limit.
  QByteArray& bytes = result.bytes;
  bytes.resize(static_cast<qsizetype>(size) + 1);
  qsizetype used = 0;
  for (;;) {
    if (used == bytes.size()) {
      if (used > max_bytes) break;
      bytes.resize(static_cast<qsizetype>(std::min(max_bytes + 1, 2 * used + 4096)));
    }
    errno = 0;
    const qint64 n = file.read(bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      result.error = FileReadError::kFailed;
      result.error_number = errno;
      break;
    }
    if (n == 0) break;
    used += static_cast<qsizetype>(n);
  }
  if (result.ok() && used > max_bytes) result.error = FileReadError::kTooLarge;
  if (result.ok()) {
    bytes.truncate(used);
  } else {
    bytes.clear();
  }
  return result;
}

QString OutputFileProblem(const QString& path, const QString& what) {
  if (path.isEmpty()) return {};
#ifdef Q_OS_UNIX
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode)) return {};
#else
  const QFileInfo info(path);
  if (!info.exists() || info.isFile()) return {};
#endif
  return QStringLiteral(
             "「%1」はファイルではないため、%2を書き出せません。別の名前を指定してください。")
      .arg(QDir::toNativeSeparators(path), what);
}

QString FileReadErrorText(const QString& path, FileReadError error, int error_number) {
  const QString shown = QDir::toNativeSeparators(path);
  switch (error) {
    case FileReadError::kNone:
      return {};
    case FileReadError::kMissing:
      return QStringLiteral("ファイル「%1」が見つかりません。").arg(shown);
    case FileReadError::kNotRegular:
      return QStringLiteral("「%1」はファイルではありません。").arg(shown);
    case FileReadError::kTooLarge:
      return QStringLiteral("ファイル「%1」は大きすぎるため、読み込めません。").arg(shown);
    case FileReadError::kFailed:
      break;
  }
  return WithFileErrorReason(QStringLiteral("ファイル「%1」を読み込めません。").arg(shown),
                             error_number);
}

}  // namespace komasu
