#include "migrate/settings_migration.h"

#include <QDir>
#include <QFileInfo>

#include "album/drive_settings.h"
#include "migrate/file_set_replacement.h"
#include "migrate/wine_paths.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/regular_file.h"
#include "platform/settings_values.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

constexpr int kPositionReadValues = 51;  // the reading rule of position.ini
constexpr int kPositionLines = 20;
const QString kListIni = QStringLiteral("list.ini");
const QString kPositionIni = QStringLiteral("position.ini");
const QString kPrsIni = QStringLiteral("PRS.ini");
const QString kOptIni = QStringLiteral("OPT.ini");

MigrationResult Failure(const QString& message) { return {false, message, {}}; }

// The most the program reads of each file: the word list has a limit of its own.
qint64 ReadLimit(const QString& name) {
  return name == kListIni ? kMaxListIniBytes : kMaxSettingsFileBytes;
}

// CP932 lines with CR LF; empty and `ok` false when a line cannot be encoded.
QByteArray EncodeLines(const QStringList& lines, bool* ok) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += EncodeCp932(line, ok) + "\r\n";
    if (!*ok) return {};
  }
  return bytes;
}

struct MigratedOptIni {
  QByteArray bytes;
  QStringList unmapped;  // "heading：value" of each folder kept as it was
};

// OPT.ini's folders are Windows paths of the previous version's Wine prefix; each is written as
// the folder it leads to here. A value that cannot be mapped keeps its bytes, as does a file
// without anything to map.
MigratedOptIni MapOptIni(const QByteArray& bytes, const QString& wine_prefix) {
  static const char* const kHeadings[] = {"デジタルカメラドライブ", "データフォルダドライブ",
                                          "ファイル保存ドライブ"};
  // The delimiters are ASCII bytes, never part of a CP932 character: values are cut from the
  // bytes, so the ones left alone are written back byte for byte.
  const QStringList raw = ParseSettingsValues(QString::fromLatin1(bytes), 3);
  MigratedOptIni result;
  QByteArray lines;
  bool changed = false;
  for (int k = 0; k < 3; ++k) {
    QByteArray line = raw.value(k).toLatin1();
    const QString value = DecodeCp932(line);
    if (!value.isEmpty() && !QDir::isAbsolutePath(value)) {
      const QString mapped = QDir::toNativeSeparators(MapWindowsPath(value, wine_prefix));
      if (!mapped.isEmpty() && DriveValueProblem(mapped).isEmpty()) {
        line = EncodeCp932(mapped);
        changed = true;
      } else {
        result.unmapped.append(QString::fromUtf8(kHeadings[k]) + u'：' + value);
      }
    }
    lines += line + "\r\n";
  }
  result.bytes = changed ? lines : bytes;
  return result;
}

}  // namespace

QStringList MigratedSettingsFiles() {
  return {kListIni, kPositionIni, kPrsIni, QStringLiteral("fontinfo.ini"), kOptIni};
}

QString PreviousVersionFolderName() { return QStringLiteral("Ｋｏｍａｓｕ300"); }

QStringList PreviousVersionFolderCandidates(const QString& home) {
  QStringList candidates;
  for (const QString& prefix : WinePrefixes(home)) {
    const QDir drive_c(QDir(prefix).filePath(QStringLiteral("drive_c")));
    for (const char* programs : {"Program Files/", "Program Files (x86)/"}) {
      candidates.append(
          drive_c.filePath(QString::fromUtf8(programs) + PreviousVersionFolderName()));
    }
  }
  return candidates;
}

QString FindPreviousVersionFolder(const QString& home) {
  for (const QString& candidate : PreviousVersionFolderCandidates(home)) {
    if (QFileInfo(candidate).isDir()) return candidate;
  }
  return {};
}

QStringList UpdatedPositionLines(const QStringList& old_values) {
  QStringList lines = old_values.mid(0, kPositionLines);
  while (lines.size() < kPositionLines) lines.append(QString());
  lines[15] = QStringLiteral("1");
  lines[16] = QStringLiteral("100");
  lines[17] = QStringLiteral("20");
  lines[18] = QStringLiteral("0");
  return lines;
}

MigrationResult MigrateSettings(const QString& old_folder, const QString& new_folder) {
  const QString missing = QString::fromUtf8(kPreviousVersionMissingMessage);
  if (old_folder.isEmpty() || !QFileInfo(old_folder).isDir()) return Failure(missing);
  const QDir old_dir(old_folder);
  const QStringList names = MigratedSettingsFiles();
  for (const QString& name : names) {
    if (!QFileInfo(old_dir.filePath(name)).isFile()) return Failure(missing);
  }
  if (new_folder.isEmpty() || !QFileInfo(new_folder).isDir()) {
    return Failure(QStringLiteral("移行先のフォルダがありません。\n%1").arg(new_folder));
  }
  if (SameFile(old_folder, new_folder)) {
    return Failure(QStringLiteral(
        "移行元と移行先が同じフォルダです。移行先には別のフォルダを選んでください。"));
  }
  // Every file is read, as the program reads it, before the first one is written.
  QStringList unmapped;
  QList<QByteArray> contents;
  for (const QString& name : names) {
    const QString path = old_dir.filePath(name);
    FileRead read = ReadRegularFile(path, ReadLimit(name));
    if (!read.ok()) {
      return Failure(QStringLiteral("前バージョンの %1 を読めないため移行しませんでした。\n%2")
                         .arg(name, FileReadErrorText(path, read.error, read.error_number)));
    }
    if (name == kPositionIni) {
      bool ok = false;
      read.bytes = EncodeLines(
          UpdatedPositionLines(ParseSettingsValues(DecodeCp932(read.bytes), kPositionReadValues)),
          &ok);
      if (!ok) {
        return Failure(QStringLiteral("前バージョンの %1 を読めないため移行しませんでした。\n%2")
                           .arg(name, QStringLiteral("保存できない文字があります。")));
      }
    }
    if (name == kOptIni) {
      MigratedOptIni opt = MapOptIni(read.bytes, WinePrefixOf(old_folder));
      read.bytes = opt.bytes;
      unmapped = opt.unmapped;
    }
    contents.append(read.bytes);
  }
  // All five files or none: a full disk or a name taken in the target leaves it as it was.
  const QDir new_dir(new_folder);
  FileSetReplacement files;
  bool ok = true;
  for (int k = 0; k < names.size() && ok; ++k) {
    ok = files.Stage(new_dir.filePath(names[k]), contents[k]);
  }
  if (!ok || !files.Commit()) {
    return Failure(QStringLiteral("%1 を移行できませんでした。%2\n移行先のフォルダは元のままです。")
                       .arg(QFileInfo(files.FailedTarget()).fileName(), files.Reason()));
  }
  QString message = QString::fromUtf8(kMigrationDoneMessage);
  if (!unmapped.isEmpty()) {
    message += QStringLiteral(
                   "\n\n次のフォルダはこのコンピューターの場所に置き換えられなかったため、"
                   "そのまま移行しました。ドライブの設定で設定し直してください。\n") +
               unmapped.join(u'\n');
  }
  return {true, message, names};
}

bool MigrateSettingsAndNotify(const QString& old_folder, const QString& new_folder,
                              Prompter& prompter) {
  const MigrationResult result = MigrateSettings(old_folder, new_folder);
  if (result.ok) {
    prompter.Notify(result.message);
  } else {
    prompter.Notify(result.message, QStringLiteral("警告"), MessageIcon::kExclamation);
  }
  return result.ok;
}

}  // namespace komasu
