#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>

#include "platform/cp932.h"
#include "platform/file_error.h"
#include "platform/regular_file.h"

namespace komasu {

QByteArray ReadFileBytes(const QString& path, bool* ok, qint64 max_bytes) {
  FileRead read = ReadRegularFile(path, max_bytes);
  if (ok) *ok = read.ok();
  return std::move(read.bytes);
}

QString WriteFailureReason(const QString& path, int error_number) {
  const QFileInfo target(path);
  if (target.isDir()) return QStringLiteral("同じ名前のフォルダがあります。");
  if (!QFileInfo(target.absolutePath()).isDir()) {
    return QStringLiteral("保存先のフォルダがありません。");
  }
  const QString reason = FileErrorReason(error_number);
  return reason.isEmpty() ? QStringLiteral("保存先と空き容量を確かめてください。") : reason;
}

WriteResult WriteFileAtomically(const QString& path, QByteArrayView bytes) {
  const QString shown = QDir::toNativeSeparators(path);
  QSaveFile file(path);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) {
    return {false, QStringLiteral("ファイル「%1」に書き込めません。\n%2")
                       .arg(shown, WriteFailureReason(path, errno))};
  }
  // QSaveFile buffers writes and commit() renames even when the final flush fails (a full
  // disk), which would put a cut-off file in place; flushing first catches that.
  if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()) {
    const int error = errno;
    file.cancelWriting();
    return {false, QStringLiteral("ファイル「%1」の書き込みに失敗しました。\n%2")
                       .arg(shown, WriteFailureReason(path, error))};
  }
  errno = 0;
  if (!file.commit()) {
    return {false, QStringLiteral("ファイル「%1」の保存に失敗しました。\n%2")
                       .arg(shown, WriteFailureReason(path, errno))};
  }
  return {};
}

QStringList SplitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    if (c == u'\r' || c == u'\n') {
      lines.append(text.mid(start, i - start));
      if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

WriteResult WriteTextLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bool ok = false;
    bytes += EncodeCp932(line, &ok);
    if (!ok) {
      return {false, QStringLiteral("ファイル「%1」に保存できない文字があります。")
                         .arg(QDir::toNativeSeparators(path))};
    }
    bytes += "\r\n";
  }
  return WriteFileAtomically(path, bytes);
}

WriteResult CopyFileOver(const QString& from, const QString& to) {
  const FileRead read = ReadRegularFile(from, kMaxReadFileBytes);
  if (!read.ok()) return {false, FileReadErrorText(from, read.error, read.error_number)};
  return WriteFileAtomically(to, read.bytes);
}

bool SameFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  std::error_code ec;
  const auto native = [](const QString& p) {
    return std::filesystem::path(QFile::encodeName(p).toStdString());
  };
  if (std::filesystem::equivalent(native(a), native(b), ec) && !ec) return true;
  const QFileInfo fa(a), fb(b);
  const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
  if (!ca.isEmpty() && !cb.isEmpty()) return ca == cb;
  return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

}  // namespace komasu
