#include <QProgressDialog>
#include <QtTest>

#include "editor/work_progress.h"
#include "platform/clock.h"

using namespace komasu;

namespace {

const QDateTime kStart(QDate(2026, 12, 9), QTime(10, 20, 30));

}  // namespace

class TstWorkProgress : public QObject {
  Q_OBJECT

 private slots:
  // The dialog appears at the first step half a second or more after the start, unless that
  // step finishes the work; once shown it stays and follows the steps until the last.
  void AppearsOnlyAfterHalfASecond_data() {
    QTest::addColumn<int>("elapsed_ms");
    QTest::addColumn<int>("done");
    QTest::addColumn<bool>("shown");
    QTest::newRow("at once") << 0 << 1 << false;
    QTest::newRow("just before") << WorkProgress::kDelayMs - 1 << 1 << false;
    QTest::newRow("at half a second") << WorkProgress::kDelayMs << 1 << true;
    QTest::newRow("later") << 5000 << 497 << true;
    QTest::newRow("late but finished") << 5000 << 499 << false;
  }
  void AppearsOnlyAfterHalfASecond() {
    QFETCH(int, elapsed_ms);
    QFETCH(int, done);
    QFETCH(bool, shown);
    QWidget parent;
    FixedClock clock(kStart);
    WorkProgress progress(&parent, QStringLiteral("作業中"), clock);
    const ProgressCallback step = progress.Callback();
    clock.Set(kStart.addMSecs(elapsed_ms));
    step(done, 499);
    QCOMPARE(progress.Shown(), shown);
    if (!shown) return;
    auto* dialog = parent.findChild<QProgressDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->labelText(), QStringLiteral("作業中"));
    QCOMPARE(dialog->value(), done);
    clock.Set(kStart);  // a shown dialog does not wait again
    step(done + 1, 499);
    QVERIFY(progress.Shown());
    QCOMPARE(dialog->value(), done + 1);
    step(499, 499);  // gone before the work says anything
    QVERIFY(!progress.Shown());
  }
};

QTEST_MAIN(TstWorkProgress)
#include "tst_work_progress.moc"
