#include <QtTest>

#include "editor/page_jump.h"

using namespace komasu;

class TstPageJump : public QObject {
  Q_OBJECT

 private slots:
  void JumpEntry_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("page");  // 0: no jump
    QTest::newRow("page") << "3" << 3;
    QTest::newRow("last page") << "5" << 5;
    QTest::newRow("fraction takes the whole part") << "2.5" << 2;
    QTest::newRow("fraction below one") << "0.5" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("beyond") << "6" << 0;
    QTest::newRow("just beyond") << "5.1" << 0;
    QTest::newRow("word") << "abc" << 0;
    QTest::newRow("trailing letters") << "3a" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("full-width digits") << "４" << 4;
    QTest::newRow("blanks") << " 2 " << 2;
  }
  void JumpEntry() {
    QFETCH(QString, entry);
    QFETCH(int, page);
    const auto target = JumpTarget(entry, 5);
    QCOMPARE(target.value_or(0), page);
  }
};

QTEST_APPLESS_MAIN(TstPageJump)
#include "tst_page_jump.moc"
