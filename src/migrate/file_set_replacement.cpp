#include "migrate/file_set_replacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "platform/file_error.h"

namespace komasu {

namespace {

constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

std::error_code LastError() { return {errno, std::generic_category()}; }

bool Rename(const QString& from, const QString& to, std::error_code& error) {
  const auto native = [](const QString& p) {
    return std::filesystem::path(QFile::encodeName(p).toStdString());
  };
  std::filesystem::rename(native(from), native(to), error);
  return !error;
}

// A new empty file with a hidden, unique name beside `path`, left open in `file`.
bool CreateBeside(const QString& path, QTemporaryFile& file, std::error_code& error) {
  const QFileInfo info(path);
  file.setFileTemplate(info.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
  file.setAutoRemove(false);
  errno = 0;
  if (file.open()) return true;
  error = LastError();
  return false;
}

QString ReasonText(std::error_code error) {
  // Errors of std::filesystem and of errno share the generic category's numbers.
  const QString reason =
      error.category() == std::generic_category() || error.category() == std::system_category()
          ? FileErrorReason(error.value())
          : QString();
  return reason.isEmpty() ? QStringLiteral("書き込めません。") : reason;
}

}  // namespace

FileSetReplacement::~FileSetReplacement() { Discard(); }

bool FileSetReplacement::Stage(const QString& target, QByteArrayView bytes) {
  Entry entry;
  entry.target = target;
  const QFileInfo info(target);
  // A symbolic link stays; the file it names is replaced.
  entry.path =
      info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
  QTemporaryFile file;
  std::error_code error;
  if (!CreateBeside(entry.path, file, error)) return Fail(entry, error);
  entry.staged = file.fileName();
  entries_.push_back(entry);
  // QFile buffers; a full disk shows in the flush, with errno telling why.
  errno = 0;
  bool ok = file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush();
#ifdef Q_OS_UNIX
  ok = ok && ::fsync(file.handle()) == 0;
#endif
  if (!ok) return Fail(entry, LastError());
  const QFileInfo existing(entry.path);
  file.setPermissions(existing.isFile() ? existing.permissions() : kNewFilePermissions);
  file.close();
  return true;
}

bool FileSetReplacement::Commit() {
  for (Entry& entry : entries_) {
    if (!Place(entry)) {
      const std::error_code error = place_error_;
      for (Entry& e : entries_) Restore(e);
      return Fail(entry, error);
    }
  }
  for (const Entry& entry : entries_) {
    if (!entry.aside.isEmpty()) QFile::remove(entry.aside);
  }
  entries_.clear();
  return true;
}

bool FileSetReplacement::Place(Entry& entry) {
  std::error_code& error = place_error_;
  const QFileInfo info(entry.path);
  if (info.exists()) {
    if (!info.isFile()) {
      error = std::make_error_code(info.isDir() ? std::errc::is_a_directory
                                                : std::errc::operation_not_supported);
      return false;
    }
    QTemporaryFile aside;
    if (!CreateBeside(entry.path, aside, error)) return false;
    aside.close();
    if (!Rename(entry.path, aside.fileName(), error)) {
      aside.remove();
      return false;
    }
    entry.aside = aside.fileName();
  }
  if (!Rename(entry.staged, entry.path, error)) return false;
  entry.staged.clear();
  entry.placed = true;
  return true;
}

void FileSetReplacement::Restore(Entry& entry) {
  if (entry.placed) QFile::remove(entry.path);
  std::error_code ignored;
  if (!entry.aside.isEmpty()) Rename(entry.aside, entry.path, ignored);
  entry.placed = false;
  entry.aside.clear();
}

bool FileSetReplacement::Fail(const Entry& entry, std::error_code error) {
  failed_target_ = entry.target;
  reason_ = ReasonText(error);
  Discard();
  return false;
}

void FileSetReplacement::Discard() {
  for (const Entry& entry : entries_) {
    if (!entry.staged.isEmpty()) QFile::remove(entry.staged);
  }
  entries_.clear();
}

}  // namespace komasu
