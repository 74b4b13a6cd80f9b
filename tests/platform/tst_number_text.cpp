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

  void FormatsFontSizesWithFourDecimals_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 9.0 << "9";
    QTest::newRow("quarter") << 8.25 << "8.25";
    QTest::newRow("half") << 10.5 << "10.5";
    QTest::newRow("four decimals") << 9.0625 << "9.0625";
    QTest::newRow("rounded to four") << 11.123456 << "11.1235";
    QTest::newRow("tiny negative is zero") << -0.00001 << "0";
  }
  void FormatsFontSizesWithFourDecimals() {
    QFETCH(double, points);
    QFETCH(QString, text);
    QCOMPARE(FormatFontSize(points), text);
  }

  void FormatsBooleansAndColours() {
    QCOMPARE(FormatBool(true), QString("True"));
    QCOMPARE(FormatBool(false), QString("False"));
    QCOMPARE(FormatInt(static_cast<int32_t>(0x80000008u)), QString("-2147483640"));
    QCOMPARE(FormatInt(255), QString("255"));
  }

  // The reader's rule for sizes, positions and weights: the number a text begins with.
  void ReadsTheLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("number then letters") << "12.5abc" << 12.5;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("leading blanks and sign") << "  -3" << -3.0;
    QTest::newRow("decimal point first") << ".5" << 0.5;
    QTest::newRow("exponent") << "1.5E+03x" << 1500.0;
    QTest::newRow("incomplete exponent") << "2E" << 2.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("comma is no decimal point") << "7,5" << 7.0;
    QTest::newRow("full-width digits") << "１２" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("overflow") << "1E400" << 0.0;
  }
  void ReadsTheLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(LeadingNumber(text), value);
  }

  // Strict conversions: the whole text must be a number, integers round half to even.
  void ConvertsStrictly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<int>("int16");     // -99999: fails
    QTest::addColumn<qint64>("int32");  // -99999: fails
    QTest::newRow("integer") << "400" << true << 400 << qint64(400);
    QTest::newRow("tie down to even") << "2.5" << true << 2 << qint64(2);
    QTest::newRow("tie up to even") << "3.5" << true << 4 << qint64(4);
    QTest::newRow("negative tie") << "-0.5" << true << 0 << qint64(0);
    QTest::newRow("blanks") << " 700 " << true << 700 << qint64(700);
    QTest::newRow("16-bit overflow") << "32768" << true << -99999 << qint64(32768);
    QTest::newRow("system colour") << "-2147483640" << true << -99999 << qint64(-2147483640);
    QTest::newRow("32-bit overflow") << "2147483648" << true << -99999 << qint64(-99999);
    QTest::newRow("trailing letters") << "12abc" << false << -99999 << qint64(-99999);
    QTest::newRow("empty") << "" << false << -99999 << qint64(-99999);
    QTest::newRow("word") << "True" << false << -99999 << qint64(-99999);
  }
  void ConvertsStrictly() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(int, int16);
    QFETCH(qint64, int32);
    QCOMPARE(IsNumeric(text), numeric);
    const auto a = ParseInt16(text);
    QCOMPARE(a ? int(*a) : -99999, int16);
    const auto b = ParseInt32(text);
    QCOMPARE(b ? qint64(*b) : qint64(-99999), int32);
  }
};

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_number_text.moc"
