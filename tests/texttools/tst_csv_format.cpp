#include <QtTest>

#include "platform/cp932.h"
#include "texttools/csv_format.h"

using namespace komasu;

namespace {

QStringList Texts(const QList<CsvValue>& values) {
  QStringList out;
  for (const CsvValue& v : values) out << v.text;
  return out;
}

}  // namespace

class TstCsvFormat : public QObject {
  Q_OBJECT
 private slots:
  // Each text as the export writes it, and the reader gives back the text exactly.
  void FieldQuotingAndRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "基礎配筋"
                           << "基礎配筋";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("ascii comma") << "外壁,北面"
                                 << "\"外壁,北面\"";
    QTest::newRow("only a full-width comma") << "，"
                                             << "\"，\"";
    QTest::newRow("full-width comma inside") << "東，西"
                                             << "\"東，西\"";
    QTest::newRow("number with zeros") << "001"
                                       << "001";
    QTest::newRow("decimal zeros") << "1.50"
                                   << "1.50";
    QTest::newRow("exponent") << "1E3"
                              << "1E3";
    QTest::newRow("thousands") << "1,000"
                               << "\"1,000\"";
    QTest::newRow("leading blank") << " 先頭"
                                   << "\" 先頭\"";
    QTest::newRow("only blanks") << "  "
                                 << "\"  \"";
    QTest::newRow("trailing blank") << "末尾 "
                                    << "末尾 ";
    QTest::newRow("full-width blank first") << "　字下げ"
                                            << "　字下げ";
  }
  void FieldQuotingAndRoundTrip() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(CsvField(text), field);
    QStringList line(27, QStringLiteral("x"));
    line[26] = text;  // the last value of a line, right before its line end
    line[0] = text;
    const QString file =
        CsvLine(line) + QStringLiteral("\r\n") + CsvLine(line) + QStringLiteral("\r\n");
    QCOMPARE(Texts(ReadCsvValues(file)), line + line);
  }

  // A quote inside is not doubled; reading such a field back ends the value at that quote.
  void InnerQuoteIsWrittenUnchanged() {
    QCOMPARE(CsvField(QStringLiteral("a\"b,c")), QStringLiteral("\"a\"b,c\""));
    QCOMPARE(Texts(ReadCsvValues(u"\"a\"b,c\",")), QStringList({"a", "c\""}));
  }

  void LineHoldsTwentySevenValuesEachEndedByAComma() {
    QStringList texts;
    for (int i = 0; i < 27; ++i) texts << QString::number(i);
    const QString line = CsvLine(texts);
    QVERIFY(line.endsWith(QStringLiteral("25,26,")));
    QCOMPARE(line.count(u','), 27);
    QCOMPARE(Texts(ReadCsvValues(line)), texts);
  }

  void ReadsTheValueStream_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("comma before line end adds nothing") << "a,b,\r\nc,\r\n"
                                                        << QStringList{"a", "b", "c"};
    QTest::newRow("lines without a final comma") << "a,b\r\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("LF and CR line ends") << "a\nb,\rc\r" << QStringList{"a", "b", "c"};
    QTest::newRow("empty values") << ",,x,\r\n,\r\n" << QStringList{"", "", "x", ""};
    QTest::newRow("empty lines give no values") << "\r\na,\r\n\r\n  \r\nb,\r\n\r\n"
                                                << QStringList{"a", "b"};
    QTest::newRow("empty file") << "" << QStringList{};
    QTest::newRow("leading blanks skipped, trailing kept")
        << "  a , \"b\"," << QStringList{"a ", "b"};
    QTest::newRow("quoted comma and line end")
        << "\"外壁,北面\",\"x\r\ny\"," << QStringList{"外壁,北面", "x\r\ny"};
    QTest::newRow("doubled quotes")
        << "\"say \"\"hi\"\"\",\"\"\"\"," << QStringList{"say \"hi\"", "\""};
    QTest::newRow("text after the closing quote dropped")
        << "\"ab\"cd,e," << QStringList{"ab", "e"};
    QTest::newRow("unclosed quote runs to the end") << "a,\"b,c\r\n" << QStringList{"a", "b,c\r\n"};
    QTest::newRow("quote inside an unquoted value") << "a\"b,c" << QStringList{"a\"b", "c"};
    QTest::newRow("numbers stay as written")
        << "001,1.50,1E3,-0,&H10," << QStringList{"001", "1.50", "1E3", "-0", "&H10"};
  }
  void ReadsTheValueStream() {
    QFETCH(QString, file);
    QFETCH(QStringList, values);
    QCOMPARE(Texts(ReadCsvValues(file)), values);
  }

  // A refused value is named by the line it starts on and its number there.
  void ValuesKnowWhereTheyStart() {
    const QList<CsvValue> v = ReadCsvValues(u"a,b,\r\n\r\nc,\"d\r\ne\",f\r\ng");
    QList<std::pair<int, int>> at;
    for (const CsvValue& x : v) at.append({x.line, x.number});
    QCOMPARE(at, (QList<std::pair<int, int>>{{1, 1}, {1, 2}, {3, 1}, {3, 2}, {4, 1}, {5, 1}}));
  }

  void DecodesCp932OrUtf8AfterAByteOrderMark() {
    const QString text = QStringLiteral("外壁,北面，Ⅱ");
    QCOMPARE(DecodeCsvBytes(EncodeCp932(text)), text);
    QCOMPARE(DecodeCsvBytes("\xEF\xBB\xBF" + text.toUtf8()), text);
    // Without the mark, UTF-8 bytes are not taken for UTF-8.
    QVERIFY(DecodeCsvBytes(text.toUtf8()) != text);
  }
};

QTEST_GUILESS_MAIN(TstCsvFormat)
#include "tst_csv_format.moc"
