#pragma once
// The drive settings dialog without widgets: the three field texts loaded from OPT.ini and the
// save command, which refuses values OPT.ini cannot read back and reports a failed write.

#include <QString>
#include <array>

#include "platform/program_folder.h"

namespace komasu {

class Prompter;

class DriveSettingsForm {
 public:
  explicit DriveSettingsForm(ProgramFolder folder) : folder_(std::move(folder)) {}

  // Field 0 camera drive, 1 data folder, 2 file save folder, from OPT.ini.
  void Load();
  const QString& Field(int k) const { return fields_.at(static_cast<size_t>(k)); }
  void SetField(int k, const QString& text) { fields_.at(static_cast<size_t>(k)) = text; }

  // "設定保存": writes OPT.ini and confirms; true when the dialog may close. A value that
  // cannot be stored or a failed write is reported and the dialog stays.
  bool Save(Prompter& prompter);

 private:
  ProgramFolder folder_;
  std::array<QString, 3> fields_;
};

}  // namespace komasu
