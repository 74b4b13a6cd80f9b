#pragma once
// The settings migration dialog: the automatic migration between the default folders, and the
// manual one between the folders chosen under "前バージョン" and "NEWバージョン".

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace komasu {

class Prompter;

class SettingsMigrationDialog : public QDialog {
  Q_OBJECT

 public:
  // `target_folder` is this program's settings folder, the default target.
  SettingsMigrationDialog(const QString& target_folder, Prompter& prompter,
                          QWidget* parent = nullptr);

  QString OldFolder() const;
  QString TargetFolder() const;
  void SetOldFolder(const QString& folder);
  void SetTargetFolder(const QString& folder);

  bool MigrateAutomatically();
  bool MigrateManually();

 private:
  void ChooseInto(QLineEdit* field, const QString& title);

  QString default_target_;
  Prompter& prompter_;
  QLineEdit* old_folder_ = nullptr;
  QLineEdit* target_folder_ = nullptr;
};

}  // namespace komasu
