#include <QtTest>

#include "platform/cp932.h"
#include "platform/settings_values.h"
#include "platform/text_file.h"

using namespace komasu;

class TstSettingsValues : public QObject {
  Q_OBJECT
 private slots:
  void SplitsValuesLikeTheFileReader_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max_values");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("one per line") << "10\r\n20\r\n-3\r\n" << 51 << QStringList{"10", "20", "-3"};
    QTest::newRow("comma ends a value") << "1,2\r\n3" << 51 << QStringList{"1", "2", "3"};
    QTest::newRow("blanks around") << "  7 \t\r\n\t8" << 51 << QStringList{"7", "8"};
    QTest::newRow("quoted keeps comma and blanks")
        << "\" ＭＳ 明朝, x \"\r\n9" << 51 << QStringList{" ＭＳ 明朝, x ", "9"};
    QTest::newRow("text after closing quote dropped")
        << "\"D:\\data\"junk,5" << 51 << QStringList{"D:\\data", "5"};
    QTest::newRow("unclosed quote runs to the end")
        << "\"abc\r\ndef" << 51 << QStringList{"abc\r\ndef"};
    QTest::newRow("empty value between commas") << "1,,3" << 51 << QStringList{"1", "", "3"};
    QTest::newRow("LF only") << "1\n2\n" << 51 << QStringList{"1", "2"};
    QTest::newRow("limit") << "1\r\n2\r\n3\r\n" << 2 << QStringList{"1", "2"};
    QTest::newRow("empty file") << "" << 51 << QStringList{};
  }
  void SplitsValuesLikeTheFileReader() {
    QFETCH(QString, text);
    QFETCH(int, max_values);
    QFETCH(QStringList, values);
    QCOMPARE(ParseSettingsValues(text, max_values), values);
  }

  void ReadsFilesInTheJapaneseCodePage() {
    QTemporaryDir dir;
    const QString path = dir.filePath("fontinfo.ini");
    QVERIFY(WriteFileAtomically(path, EncodeCp932("ＭＳ Ｐゴシック\r\n14\r\nFalse\r\n")).ok);
    QCOMPARE(ReadSettingsFile(path, 11), (QStringList{"ＭＳ Ｐゴシック", "14", "False"}));
    QCOMPARE(ReadSettingsFile(dir.filePath("missing.ini"), 11), QStringList());
  }
};

QTEST_APPLESS_MAIN(TstSettingsValues)
#include "tst_settings_values.moc"
