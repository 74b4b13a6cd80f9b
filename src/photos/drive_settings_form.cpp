#include "photos/drive_settings_form.h"

#include "album/drive_settings.h"
#include "platform/prompter.h"

namespace komasu {

void DriveSettingsForm::Load() {
  const DriveSettings s = ReadDriveSettings(folder_.OptIni());
  fields_ = {s.camera, s.data_folder, s.file_save_folder};
}

bool DriveSettingsForm::Save(Prompter& prompter) {
  for (const QString& field : fields_) {
    if (const QString problem = DriveValueProblem(field); !problem.isEmpty()) {
      prompter.Notify(problem, {}, MessageIcon::kExclamation);
      return false;
    }
  }
  const WriteResult written =
      WriteDriveSettings(folder_.OptIni(), {fields_[0], fields_[1], fields_[2]});
  if (!written.ok) {
    prompter.Notify(QStringLiteral("設定を保存できませんでした。\r%1").arg(written.error), {},
                    MessageIcon::kExclamation);
    return false;
  }
  prompter.Notify(QStringLiteral("次回起動から適応されます！"));
  return true;
}

}  // namespace komasu
