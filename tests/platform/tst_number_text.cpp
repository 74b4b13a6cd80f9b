#include <QtTest>

#include "platform/number_text.h"

using namespace komasu;

class TstNumberText : public QObject {
  Q_OBJECT
 private slots:
  void FormatSingleUsesSevenSignificantDigits_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 6840.0f << "6840";
    QTest::newRow("fraction") << 7385.714286f << "7385.714";
    QTest::newRow("negative") << -12.5f << "-12.5";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("large") << 12345678.0f << "1.234568E+07";
    QTest::newRow("small") << 0.00001f << "1E-05";
  }
  void FormatSingleUsesSevenSignificantDigits() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(FormatSingle(value), text);
  }
};

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_number_text.moc"
