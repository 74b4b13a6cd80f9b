#include "album/album_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include "platform/file_error.h"
#include "platform/regular_file.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The end of a damaged record's bytes before `end`: without the line ends before it.
qsizetype WithoutLineEnds(QByteArrayView bytes, qsizetype start, qsizetype end) {
  while (end > start && IsLineEnd(bytes[end - 1])) --end;
  return end;
}

// The line end (or the end of the bytes) from `i` on.
qsizetype LineEnd(QByteArrayView bytes, qsizetype i) {
  while (i < bytes.size() && !IsLineEnd(bytes[i])) ++i;
  return i;
}

const QByteArray kCp932Separator = QByteArrayLiteral("\x83\xC4");
const QByteArray kUtf8Separator = QByteArrayLiteral("\xCE\xB6");

}  // namespace

QList<QByteArray> SplitAlbumRecords(QByteArrayView bytes, QList<qsizetype>* damaged) {
  QList<QByteArray> records;
  const qsizetype n = bytes.size();
  auto take = [&](qsizetype start, qsizetype end, bool is_damaged) {
    if (is_damaged && damaged) damaged->append(records.size());
    records.append(bytes.sliced(start, end - start).toByteArray());
  };
  qsizetype i = 0;
  while (i < n) {
    if (IsLineEnd(bytes[i])) {
      ++i;
      continue;
    }
    if (bytes[i] != '"') {
      const qsizetype end = LineEnd(bytes, i);
      take(i, bytes[end - 1] == '"' ? end - 1 : end, true);
      i = end;
      continue;
    }
    const qsizetype start = i + 1;
    qsizetype close = bytes.indexOf('"', start);
    if (close < 0) {
      take(start, WithoutLineEnds(bytes, start, n), true);
      break;
    }
    // Records never hold a quote: one that starts a line and is followed by text opens the
    // next record, and this one lost its closing quote.
    if (close > start && IsLineEnd(bytes[close - 1]) && close + 1 < n &&
        !IsLineEnd(bytes[close + 1])) {
      take(start, WithoutLineEnds(bytes, start, close), true);
      i = close;
      continue;
    }
    const qsizetype end = LineEnd(bytes, close + 1);
    if (end == close + 1) {
      take(start, close, false);
    } else {
      // Text after the closing quote stays in the record, so a rewrite keeps it.
      take(start, bytes[end - 1] == '"' ? end - 1 : end, true);
    }
    i = end;
  }
  return records;
}

QByteArray JoinAlbumRecords(const QList<QByteArray>& records) {
  qsizetype total = 0;
  for (const QByteArray& r : records) total += r.size() + 4;
  QByteArray out;
  out.reserve(total);
  for (const QByteArray& r : records) {
    out += '"';
    out += r;
    out += "\"\r\n";
  }
  return out;
}

QString AlbumBytesProblem(QByteArrayView bytes, QList<qsizetype>* damaged) {
  const QList<QByteArray> records = SplitAlbumRecords(bytes, damaged);
  if (records.size() >= 2 && records[0].startsWith(kCp932Separator) &&
      records[1].startsWith(kCp932Separator)) {
    return {};
  }
  const QString cp932_only = QStringLiteral(
      "アルバムファイルは Shift_JIS（CP932）で保存されている必要があるため、開けません。");
  // A UTF-16 album starts with a byte order mark or a quote next to a zero byte.
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") ||
      bytes.startsWith(QByteArrayView("\"\0", 2)) || bytes.startsWith(QByteArrayView("\0\"", 2))) {
    return QStringLiteral("は UTF-16 で保存されています。") + cp932_only;
  }
  if (bytes.startsWith("\xEF\xBB\xBF") || records.value(0).startsWith(kUtf8Separator)) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(bytes);
    if (!utf8.hasError()) return QStringLiteral("は UTF-8 で保存されています。") + cp932_only;
  }
  if (records.size() == 1 && records[0].startsWith(kCp932Separator)) {
    return QStringLiteral("にはページがないため、アルバムとして開けません。");
  }
  return QStringLiteral("はアルバムファイルではありません。");
}

QString AlbumFileProblem(const QString& path, QByteArray* bytes, QList<qsizetype>* damaged) {
  const QString shown = QDir::toNativeSeparators(path);
  const QFileInfo info(path);
  if (!info.exists()) return QStringLiteral("アルバムファイル「%1」が見つかりません。").arg(shown);
  if (!info.isFile()) return QStringLiteral("「%1」はファイルではありません。").arg(shown);
  if (info.size() > kMaxAlbumFileBytes) {
    return QStringLiteral("ファイル「%1」は大きすぎるため、アルバムとして開けません。").arg(shown);
  }
  FileRead read = ReadRegularFile(path, kMaxReadFileBytes);
  if (!read.ok()) {
    return WithFileErrorReason(
        QStringLiteral("アルバムファイル「%1」を読み込めません。").arg(shown), read.error_number);
  }
  *bytes = std::move(read.bytes);
  if (const QString why = AlbumBytesProblem(*bytes, damaged); !why.isEmpty()) {
    return QStringLiteral("ファイル「%1」").arg(shown) + why;
  }
  return {};
}

QString DamagedRecordsNotice(const QList<qsizetype>& damaged) {
  if (damaged.isEmpty()) return {};
  QStringList names;
  for (const qsizetype r : damaged) {
    names << (r == 0 ? QStringLiteral("表紙") : QStringLiteral("ページ %1").arg(r));
  }
  return QStringLiteral(
             "アルバムファイルの%"
             "1が壊れています（区切りの「\"」が欠けているか、余分な文字があります）。"
             "読み取れた内容を表示します。読み取れなかった部分も消さずに保存します。")
      .arg(names.join(QStringLiteral("、")));
}

}  // namespace komasu
