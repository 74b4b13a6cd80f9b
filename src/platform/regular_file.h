#pragma once
// Opening and reading files the user or a settings file named: only regular files (symlinks
// followed) are opened, so a FIFO, a device or a folder in the place of a photo, an album or a
// settings file never blocks or floods a reader, and reads are bounded in size. Outputs are
// held to the same rule: only a regular file is ever replaced.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace komasu {

enum class FileReadError {
  kNone,
  kMissing,     // no such file
  kNotRegular,  // a folder, FIFO, socket or device
  kTooLarge,    // larger than the reader accepts
  kFailed       // cannot be opened or read
};

struct FileRead {
  QByteArray bytes;
  FileReadError error = FileReadError::kNone;
  int error_number = 0;  // errno of the failed call, for kFailed
  bool ok() const { return error == FileReadError::kNone; }
};

// Opens `path` read-only into `file` when it is a regular file; otherwise `file` stays closed.
// Opening never waits for a writer, even when a FIFO replaces the file meanwhile.
FileReadError OpenRegularFile(const QString& path, QFile& file);

// Reads a whole regular file of at most `max_bytes` bytes.
FileRead ReadRegularFile(const QString& path, qint64 max_bytes);

// Why `path` cannot take an output file: something that is not a regular file (a folder, FIFO,
// socket or device, also through a symbolic link) is there, which an atomic write would replace
// by a file. Empty when nothing or a regular file is there. `what` names the output
// ("PDFファイル").
QString OutputFileProblem(const QString& path, const QString& what);

// A readable Japanese text for `error` about `path`, with the reason `error_number` gives
// (FileRead::error_number); empty for kNone.
QString FileReadErrorText(const QString& path, FileReadError error, int error_number = 0);

}  // namespace komasu
