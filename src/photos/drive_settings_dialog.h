#pragma once
// The modal drive settings dialog `option2`: a thin widget over DriveSettingsForm.

#include <QDialog>
#include <array>

#include "photos/drive_settings_form.h"

class QLineEdit;

namespace komasu {

class FolderBrowser;
class Prompter;

class DriveSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  DriveSettingsDialog(ProgramFolder folder, Prompter& prompter, QWidget* parent = nullptr);

 private:
  DriveSettingsForm form_;
  Prompter& prompter_;
  std::array<QLineEdit*, 3> fields_ = {};
  FolderBrowser* browser_ = nullptr;
};

}  // namespace komasu
