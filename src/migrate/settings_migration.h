#pragma once
// Taking over the settings files of the previous version (3.00): list.ini, position.ini,
// PRS.ini, fontinfo.ini and OPT.ini are checked first and then copied into this program's
// settings folder. position.ini is brought up to the twenty values of this version on the way,
// and OPT.ini's Windows folders become the folders they lead to through the previous version's
// Wine prefix; the previous version's folder is only read.

#include <QString>
#include <QStringList>

namespace komasu {

class Prompter;

// The files taken over, in the order they are copied.
QStringList MigratedSettingsFiles();

// The previous version's program folder name ("C:\Program Files\Ｋｏｍａｓｕ300" on Windows).
QString PreviousVersionFolderName();
// Where Windows programs live on this desktop: the program folders of the Wine prefixes
// (WinePrefixes), in the order they are searched.
QStringList PreviousVersionFolderCandidates(const QString& home);
// The first candidate that exists; empty when none does.
QString FindPreviousVersionFolder(const QString& home);

// position.ini values (as read, up to 51) made into the twenty lines of this version: values
// 15..18 become "1", "100", "20", "0" (callout line width, arrow length, arrow angle, black);
// a value the old file did not have is an empty line.
QStringList UpdatedPositionLines(const QStringList& old_values);

inline constexpr char kMigrationDoneMessage[] = "移行完了　次回起動から適応されます。";
inline constexpr char kPreviousVersionMissingMessage[] = "前バージョンが見つかりません。";

struct MigrationResult {
  bool ok = false;
  QString message;     // what the user is shown
  QStringList copied;  // names of the files written into the target, in order
};

// Reads every file of the previous version's folder `old_folder` as the program reads it, then
// writes all of them into `new_folder` or none: a missing folder or file copies nothing, a file
// that cannot be read or written is named in the message with the reason, and the target stays
// exactly as it was. The folders of OPT.ini are mapped through the Wine prefix `old_folder` lies
// in; the message names those kept as they were. `old_folder` cannot be the target.
MigrationResult MigrateSettings(const QString& old_folder, const QString& new_folder);

// Runs MigrateSettings and shows its message: the done message under the application title,
// a failure under "警告".
bool MigrateSettingsAndNotify(const QString& old_folder, const QString& new_folder,
                              Prompter& prompter);

}  // namespace komasu
