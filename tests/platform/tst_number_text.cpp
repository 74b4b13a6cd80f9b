#include <QtTest>

#include "platform/number_text.h"

using namespace komasu;

class TstNumberText : public QObject {
  Q_OBJECT
 private slots:
  // Singles: at most seven significant digits; font sizes: at most four decimals; colours as
  // signed 32-bit integers.
  void FormatsNumbersAsTheFilesHoldThem_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("single integer") << "single" << 6840.0 << "6840";
    QTest::newRow("single fraction") << "single" << 7385.714286 << "7385.714";
    QTest::newRow("single negative") << "single" << -12.5 << "-12.5";
    QTest::newRow("single zero") << "single" << 0.0 << "0";
    QTest::newRow("single negative zero") << "single" << -0.0 << "0";
    QTest::newRow("single large") << "single" << 12345678.0 << "1.234568E+07";
    QTest::newRow("single small") << "single" << 0.00001 << "1E-05";
    QTest::newRow("size whole") << "size" << 9.0 << "9";
    QTest::newRow("size quarter") << "size" << 8.25 << "8.25";
    QTest::newRow("size half") << "size" << 10.5 << "10.5";
    QTest::newRow("size four decimals") << "size" << 9.0625 << "9.0625";
    QTest::newRow("size rounded to four") << "size" << 11.123456 << "11.1235";
    QTest::newRow("size tiny negative is zero") << "size" << -0.00001 << "0";
    QTest::newRow("system colour") << "int" << -2147483640.0 << "-2147483640";
    QTest::newRow("colour") << "int" << 255.0 << "255";
  }
  void FormatsNumbersAsTheFilesHoldThem() {
    QFETCH(QString, form);
    QFETCH(double, value);
    QFETCH(QString, text);
    QString got;
    if (form == "single") {
      got = FormatSingle(static_cast<float>(value));
    } else if (form == "size") {
      got = FormatFontSize(value);
    } else if (form == "int") {
      got = FormatInt(static_cast<qint64>(value));
    } else {
      QFAIL(qPrintable("unknown form " + form));
    }
    QCOMPARE(got, text);
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

  // Strict conversions (colours): the whole text must be a number, integers round half to
  // even.
  void ConvertsStrictly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<qint64>("int32");  // -1: fails
    QTest::newRow("integer") << "400" << true << qint64(400);
    QTest::newRow("tie down to even") << "2.5" << true << qint64(2);
    QTest::newRow("negative tie") << "-0.5" << true << qint64(0);
    QTest::newRow("blanks") << " 700 " << true << qint64(700);
    QTest::newRow("system colour") << "-2147483640" << true << qint64(-2147483640);
    QTest::newRow("32-bit overflow") << "2147483648" << true << qint64(-1);
    QTest::newRow("trailing letters") << "12abc" << false << qint64(-1);
    QTest::newRow("empty") << "" << false << qint64(-1);
    QTest::newRow("word") << "True" << false << qint64(-1);
  }
  void ConvertsStrictly() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(qint64, int32);
    QCOMPARE(IsNumeric(text), numeric);
    const auto v = ParseInt32(text);
    QCOMPARE(v ? qint64(*v) : qint64(-1), int32);
  }

  // Typed entries: the full-width forms an input method gives read as ASCII; other
  // look-alike digits do not.
  void ReadsTypedNumbers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");  // NaN: not a number
    const double none = qQNaN();
    QTest::newRow("ascii") << "12" << 12.0;
    QTest::newRow("full-width digits") << "１０" << 10.0;
    QTest::newRow("full-width sign and point") << "－１．５" << -1.5;
    QTest::newRow("mixed widths") << "1２" << 12.0;
    QTest::newRow("ideographic spaces") << "\u3000３\u3000" << 3.0;
    QTest::newRow("full-width exponent") << "２Ｅ３" << 2000.0;
    QTest::newRow("full-width letter after") << "１２ａ" << none;
    QTest::newRow("circled digit") << "①" << none;
    QTest::newRow("kanji numeral") << "十" << none;
    QTest::newRow("empty") << "" << none;
  }
  void ReadsTypedNumbers() {
    QFETCH(QString, typed);
    QFETCH(double, value);
    const auto v = ParseTypedNumber(typed);
    if (qIsNaN(value)) {
      QVERIFY(!v);
    } else {
      QCOMPARE(v.value_or(-999), value);
    }
  }

  // The 16-bit form of position.ini values: nullopt (-99999 here) leaves a setting unchanged.
  void ConvertsToSixteenBits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "-2" << -2;
    QTest::newRow("tie down to even") << "2.5" << 2;
    QTest::newRow("tie up to even") << "3.5" << 4;
    QTest::newRow("negative tie") << "-2.5" << -2;
    QTest::newRow("rounds") << "2.6" << 3;
    QTest::newRow("blanks") << " 7 " << 7;
    QTest::newRow("top") << "32767" << 32767;
    QTest::newRow("bottom") << "-32768" << -32768;
    QTest::newRow("rounds down to the top") << "32767.4" << 32767;
    QTest::newRow("above") << "32768" << -99999;
    QTest::newRow("below") << "-32769" << -99999;
    QTest::newRow("rounds up past the top") << "32767.5" << -99999;
    QTest::newRow("word") << "abc" << -99999;
    QTest::newRow("trailing letters") << "12abc" << -99999;
    QTest::newRow("empty") << "" << -99999;
  }
  void ConvertsToSixteenBits() {
    QFETCH(QString, text);
    const auto v = ParseInt16(text);
    QTEST(v ? int(*v) : -99999, "value");
  }
};

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_number_text.moc"
