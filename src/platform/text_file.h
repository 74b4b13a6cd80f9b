#pragma once
// Whole-file reading and atomic writing of CP932 text files with CR LF line ends.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace komasu {

struct WriteResult {
  bool ok = true;
  QString error;  // readable Japanese text when !ok
};

// Files larger than this are never read whole.
inline constexpr qint64 kMaxReadFileBytes = 1024ll * 1024 * 1024;

// Reads a whole regular file (see ReadRegularFile); `ok` false when it cannot be read.
QByteArray ReadFileBytes(const QString& path, bool* ok = nullptr,
                         qint64 max_bytes = kMaxReadFileBytes);

// Replaces `path` atomically: a temporary file is written and synced, then renamed over the
// target. On failure the old file stays as it was.
WriteResult WriteFileAtomically(const QString& path, QByteArrayView bytes);

// Why writing `path` failed, in Japanese, from the situation at the path and the error number
// (errno) of the failed call; the system's own text is English.
QString WriteFailureReason(const QString& path, int error_number);

// Splits decoded text into lines at CR LF, LF or CR; a final line end adds no empty line.
QStringList SplitLines(const QString& text);

// Writes every line in CP932 followed by CR LF, atomically. Lines with characters CP932
// cannot hold are refused and nothing is written.
WriteResult WriteTextLines(const QString& path, const QStringList& lines);

// Copies a file over another atomically (byte copy).
WriteResult CopyFileOver(const QString& from, const QString& to);

// True when both paths name one file: any spelling, a symbolic link or a hard link of it. Paths
// of files that do not exist yet compare as cleaned absolute paths.
bool SameFile(const QString& a, const QString& b);

}  // namespace komasu
