#include <QtTest>

#include "app/start_dialog.h"

using namespace komasu;

class TstStartDialog : public QObject {
  Q_OBJECT

 private slots:
  void ButtonsAnswerReturn() {
    StartDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Tab);  // from the first button to the second
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.Chosen(), StartDialog::Choice::kOpenAlbum);
    QVERIFY(!dialog.isVisible());
  }

  void VersionText() { QCOMPARE(komasu::VersionText(), QString("ﾊﾞｰｼﾞｮﾝ 2.0.0")); }
};

QTEST_MAIN(TstStartDialog)
#include "tst_start_dialog.moc"
