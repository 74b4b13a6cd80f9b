#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "migrate/settings_migration.h"
#include "migrate/settings_migration_dialog.h"
#include "platform/scripted_prompter.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

class TestSettingsMigrationDialog : public QObject {
  Q_OBJECT

 private slots:
  // The manual button writes into the folder chosen under "NEWバージョン" when it is pressed,
  // not into the program's folder the dialog opened with.
  void ManualMigrationHonoursChosenTarget() {
    QTemporaryDir old_dir, program, chosen;
    for (const QString& name : MigratedSettingsFiles()) {
      WriteBytes(old_dir.filePath(name), "1\r\n");
    }
    WriteBytes(old_dir.filePath("OPT.ini"), "/media/card\r\n");  // a folder of this computer
    ScriptedPrompter prompter;
    prompter.files = {old_dir.path(), chosen.path()};
    SettingsMigrationDialog dialog(program.path(), prompter);
    QCOMPARE(dialog.TargetFolder(), program.path());
    const auto browse = dialog.findChildren<QPushButton*>();
    QPushButton* old_browse = nullptr;
    QPushButton* new_browse = nullptr;
    for (QPushButton* b : browse) {
      if (b->text() != QStringLiteral("参照...")) continue;
      (old_browse ? new_browse : old_browse) = b;
    }
    QVERIFY(old_browse && new_browse);
    old_browse->click();
    new_browse->click();

    dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();

    QCOMPARE(prompter.Notices(), QStringList{QString::fromUtf8(kMigrationDoneMessage)});
    for (const QString& name : MigratedSettingsFiles()) {
      QVERIFY2(QFile::exists(chosen.filePath(name)), qPrintable(name));
      QVERIFY2(!QFile::exists(program.filePath(name)), qPrintable(name));
    }
  }
};

QTEST_MAIN(TestSettingsMigrationDialog)
#include "tst_settings_migration_dialog.moc"
