#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "editor/page_jump_dialog.h"

using namespace komasu;

class TstPageJumpDialog : public QObject {
  Q_OBJECT

 private slots:
  void JumpDialogClosesWhateverWasTyped() {
    const std::pair<const char*, int> entries[] = {{"2.5", 2}, {"9", 0}, {"abc", 0}};
    for (const auto& [entry, target] : entries) {
      PageJumpDialog dialog(5);
      QCOMPARE(dialog.windowTitle(), QStringLiteral("ページジャンプ"));
      dialog.show();
      dialog.findChild<QLineEdit*>("Text1")->setText(entry);
      auto* ok = dialog.findChild<QPushButton*>("Command1");
      QCOMPARE(ok->text(), QStringLiteral("Ｏ Ｋ"));
      ok->click();
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.Target().value_or(0), target);
    }
  }
};

QTEST_MAIN(TstPageJumpDialog)
#include "tst_page_jump_dialog.moc"
