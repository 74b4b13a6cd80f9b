#include "migrate/settings_migration_dialog.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "migrate/settings_migration.h"
#include "platform/prompter.h"

namespace komasu {

SettingsMigrationDialog::SettingsMigrationDialog(const QString& target_folder, Prompter& prompter,
                                                 QWidget* parent)
    : QDialog(parent), default_target_(target_folder), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Setting_read"));
  auto* layout = new QGridLayout(this);

  auto* automatic = new QPushButton(QStringLiteral("自動　Ver3.00→Ver3.50"), this);
  automatic->setObjectName(QStringLiteral("Command1"));
  layout->addWidget(automatic, 0, 0, 1, 3);
  auto* note =
      new QLabel(QStringLiteral("自動で移行出来ない場合は下記の手動移行をして下さい｡"), this);
  note->setObjectName(QStringLiteral("label1"));
  layout->addWidget(note, 1, 0, 1, 3);

  // On this platform the drive and folder lists are a folder field with a chooser.
  const auto add_folder_row = [&](int row, const QString& heading, const QString& name,
                                  QLineEdit*& field) {
    auto* label = new QLabel(heading, this);
    label->setObjectName(name);
    field = new QLineEdit(this);
    auto* browse = new QPushButton(QStringLiteral("参照..."), this);
    layout->addWidget(label, row, 0);
    layout->addWidget(field, row, 1);
    layout->addWidget(browse, row, 2);
    connect(browse, &QPushButton::clicked, this,
            [this, field, heading] { ChooseInto(field, heading); });
  };
  add_folder_row(2, QStringLiteral("前バージョン"), QStringLiteral("Label2_0"), old_folder_);
  add_folder_row(3, QStringLiteral("NEWバージョン"), QStringLiteral("Label2_1"), target_folder_);
  old_folder_->setObjectName(QStringLiteral("Dir1"));
  target_folder_->setObjectName(QStringLiteral("Dir2"));

  auto* manual = new QPushButton(QStringLiteral("手動　Ver3.00→Ver3.50"), this);
  manual->setObjectName(QStringLiteral("Command2"));
  layout->addWidget(manual, 4, 0, 1, 3);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("Command3"));
  layout->addWidget(close, 5, 2);

  const QString found = FindPreviousVersionFolder(QDir::homePath());
  SetOldFolder(found.isEmpty() ? PreviousVersionFolderCandidates(QDir::homePath()).first() : found);
  SetTargetFolder(default_target_);

  connect(automatic, &QPushButton::clicked, this, [this] { MigrateAutomatically(); });
  connect(manual, &QPushButton::clicked, this, [this] { MigrateManually(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QString SettingsMigrationDialog::OldFolder() const { return old_folder_->text().trimmed(); }
QString SettingsMigrationDialog::TargetFolder() const { return target_folder_->text().trimmed(); }
void SettingsMigrationDialog::SetOldFolder(const QString& folder) {
  old_folder_->setText(QDir::toNativeSeparators(folder));
}
void SettingsMigrationDialog::SetTargetFolder(const QString& folder) {
  target_folder_->setText(QDir::toNativeSeparators(folder));
}

// Between the default places: the Wine prefix's program folder and this program's folder.
bool SettingsMigrationDialog::MigrateAutomatically() {
  const QString found = FindPreviousVersionFolder(QDir::homePath());
  if (!found.isEmpty()) SetOldFolder(found);
  return MigrateSettingsAndNotify(found, default_target_, prompter_);
}

bool SettingsMigrationDialog::MigrateManually() {
  return MigrateSettingsAndNotify(QDir::fromNativeSeparators(OldFolder()),
                                  QDir::fromNativeSeparators(TargetFolder()), prompter_);
}

void SettingsMigrationDialog::ChooseInto(QLineEdit* field, const QString& title) {
  const QString chosen = prompter_.ChooseFolder(title, QDir::fromNativeSeparators(field->text()));
  if (!chosen.isEmpty()) field->setText(QDir::toNativeSeparators(chosen));
}

}  // namespace komasu
