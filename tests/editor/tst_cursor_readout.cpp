#include <QtTest>

#include "editor/cursor_readout.h"

using namespace komasu;

class TstCursorReadout : public QObject {
  Q_OBJECT

 private slots:
  void CursorReadout_data() {
    QTest::addColumn<QPointF>("twips");
    QTest::addColumn<QString>("shown");  // "x / y"; empty: no update
    QTest::newRow("canvas corner") << QPointF(6480, 1080) << "10 mm / 10 mm";
    QTest::newRow("one decimal") << QPointF(6500, 1100) << "10.7 mm / 10.7 mm";
    QTest::newRow("near the right edge") << QPointF(12225, 5000) << "211.1 mm / 150.4 mm";
    QTest::newRow("paper's right edge") << QPointF(12240, 5000) << "";
    QTest::newRow("left of the canvas") << QPointF(6479, 5000) << "";
    QTest::newRow("above the canvas") << QPointF(7000, 1079) << "";
    QTest::newRow("near the bottom") << QPointF(7000, 9120) << "28.2 mm / 297.9 mm";
    QTest::newRow("paper's bottom edge") << QPointF(7000, 9135) << "";
  }
  void CursorReadout() {
    QFETCH(QPointF, twips);
    const auto readout = ReadCursor(twips.x(), twips.y());
    QTEST(readout ? readout->x + " / " + readout->y : QString(), "shown");
  }
};

QTEST_APPLESS_MAIN(TstCursorReadout)
#include "tst_cursor_readout.moc"
