#include "migrate/settings_migration.h"

#include <QDir>
#include <QFileInfo>

#include "platform/prompter.h"
#include "platform/settings_values.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

constexpr int kPositionReadValues = 51;  // the reading rule of position.ini
constexpr int kPositionLines = 20;
const QString kListIni = QStringLiteral("list.ini");
const QString kPositionIni = QStringLiteral("position.ini");
const QString kPrsIni = QStringLiteral("PRS.ini");

MigrationResult Failure(const QString& message) { return {false, message, {}}; }

// Why the file cannot be taken over; empty when it reads as the program would read it.
// PRS.ini is only copied by this program, so only its bytes must be readable.
QString ReadProblem(const QString& path, const QString& name) {
  QString error;
  if (name == kPrsIni) {
    bool ok = false;
    ReadFileBytes(path, &ok, kMaxSettingsFileBytes);
    if (!ok) error = QStringLiteral("読み込めません");
    return error;
  }
  // The word list reads list.ini up to a limit of its own.
  ReadSettingsFile(path, kPositionReadValues, &error,
                   name == kListIni ? kMaxListIniBytes : kMaxSettingsFileBytes);
  return error;
}

}  // namespace

QStringList MigratedSettingsFiles() {
  return {kListIni, kPositionIni, kPrsIni, QStringLiteral("fontinfo.ini"),
          QStringLiteral("OPT.ini")};
}

QString PreviousVersionFolderName() { return QStringLiteral("Ｋｏｍａｓｕ300"); }

QStringList PreviousVersionFolderCandidates(const QString& home) {
  const QDir drive_c(QDir(home).filePath(QStringLiteral(".wine/drive_c")));
  return {drive_c.filePath(QStringLiteral("Program Files/") + PreviousVersionFolderName()),
          drive_c.filePath(QStringLiteral("Program Files (x86)/") + PreviousVersionFolderName())};
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
  // Every file is checked before the first one is written, so a failure leaves the target
  // as it was.
  for (const QString& name : names) {
    if (!QFileInfo(old_dir.filePath(name)).isFile()) return Failure(missing);
  }
  for (const QString& name : names) {
    const QString problem = ReadProblem(old_dir.filePath(name), name);
    if (!problem.isEmpty()) {
      return Failure(QStringLiteral("前バージョンの %1 を読めないため移行しませんでした。\n%2")
                         .arg(name, problem));
    }
  }
  if (new_folder.isEmpty() || !QFileInfo(new_folder).isDir()) {
    return Failure(QStringLiteral("移行先のフォルダがありません。\n%1").arg(new_folder));
  }
  const QDir new_dir(new_folder);
  MigrationResult result;
  for (const QString& name : names) {
    const QString from = old_dir.filePath(name);
    const QString to = new_dir.filePath(name);
    WriteResult written;
    if (name == kPositionIni) {
      written =
          WriteTextLines(to, UpdatedPositionLines(ReadSettingsFile(from, kPositionReadValues)));
    } else {
      written = CopyFileOver(from, to);
    }
    if (!written.ok) {
      result.message = QStringLiteral("%1 を移行できませんでした。\n%2").arg(name, written.error);
      return result;
    }
    result.copied.append(name);
  }
  result.ok = true;
  result.message = QString::fromUtf8(kMigrationDoneMessage);
  return result;
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
