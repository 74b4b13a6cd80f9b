#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>

#include "platform/cp932.h"
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
  switch (error_number) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return QStringLiteral("ディスクの空き容量が足りません。");
    case EACCES:
    case EPERM:
      return QStringLiteral("保存先に書き込む権限がありません。");
    case EROFS:
      return QStringLiteral("保存先は読み取り専用です。");
    case EIO:
      return QStringLiteral(
          "ディスクに書き込めませんでした。装置が外されていないか確かめてください。");
    case ENAMETOOLONG:
      return QStringLiteral("ファイル名が長すぎます。");
    default:
      return QStringLiteral("保存先と空き容量を確かめてください。");
  }
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
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(from, &ok);
  if (!ok) {
    return {false,
            QStringLiteral("ファイル「%1」を読み込めません。").arg(QDir::toNativeSeparators(from))};
  }
  return WriteFileAtomically(to, bytes);
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
