#include "album/drive_settings.h"

#include <QStringList>

#include "platform/cp932.h"
#include "platform/settings_values.h"

namespace komasu {

DriveSettings ReadDriveSettings(const QString& opt_ini_path) {
  // The readers of the file hold up to 101 values; only the first three mean anything.
  const QStringList values = ReadSettingsFile(opt_ini_path, 101);
  return {values.value(0), values.value(1), values.value(2)};
}

QString DriveValueProblem(const QString& folder) {
  if (folder.contains(u',')) {
    return QStringLiteral("フォルダ名に「,」（カンマ）を含むフォルダは設定できません。\r%1")
        .arg(folder);
  }
  if (folder.contains(u'\r') || folder.contains(u'\n')) {
    return QStringLiteral("フォルダ名に改行は使えません。");
  }
  bool ok = false;
  EncodeCp932(folder, &ok);
  // A typed form would be stored as its Windows form, which names another folder.
  if (!ok || WithWindowsForms(folder) != folder) {
    return QStringLiteral("このフォルダ名には保存できない文字が含まれています。\r%1").arg(folder);
  }
  return {};
}

WriteResult WriteDriveSettings(const QString& opt_ini_path, const DriveSettings& settings) {
  const QStringList lines = {settings.camera, settings.data_folder, settings.file_save_folder};
  for (const QString& line : lines) {
    if (const QString problem = DriveValueProblem(line); !problem.isEmpty()) {
      return {false, problem};
    }
  }
  return WriteTextLines(opt_ini_path, lines);
}

}  // namespace komasu
