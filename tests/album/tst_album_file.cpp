#include <QtTest>

#include "album/album_file.h"

using namespace komasu;

using Records = QList<QByteArray>;

class TstAlbumFile : public QObject {
  Q_OBJECT
 private slots:
  void SplitsRecordsAtQuoteBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Records>("records");
    QTest::newRow("two lines") << QByteArray("\"a\"\r\n\"b\"\r\n") << Records{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("\"a\"\r\n\"b\"") << Records{"a", "b"};
    QTest::newRow("line break inside quotes")
        << QByteArray("\"h\"\r\n\"x\r\ny\"\r\n") << Records{"h", "x\r\ny"};
    QTest::newRow("empty record kept") << QByteArray("\"h\"\r\n\"\"\r\n") << Records{"h", ""};
    QTest::newRow("blank lines skipped")
        << QByteArray("\"h\"\r\n\r\n\n\"p\"\r\n") << Records{"h", "p"};
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"h\"junk\r\n\"p\"") << Records{"h", "p"};
    QTest::newRow("unquoted line whole")
        << QByteArray("plain text\r\n\"p\"") << Records{"plain text", "p"};
    QTest::newRow("unclosed quote runs to the end")
        << QByteArray("\"h\"\r\n\"p\r\n") << Records{"h", "p\r\n"};
    // 0x5C and 0x7C are second bytes of CP932 characters ("ソ", "ポ"); they split nothing.
    QTest::newRow("second bytes") << QByteArray::fromHex("22835c837c8790ed40fa5c220d0a")
                                  << Records{QByteArray::fromHex("835c837c8790ed40fa5c")};
    QTest::newRow("LF line ends") << QByteArray("\"a\"\n\"b\"\n") << Records{"a", "b"};
    QTest::newRow("empty file") << QByteArray() << Records{};
  }
  void SplitsRecordsAtQuoteBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(Records, records);
    QCOMPARE(SplitAlbumRecords(bytes), records);
  }

  void JoinsRecordsQuotedWithCrLf() {
    const Records records{QByteArray::fromHex("83c4"), "", "x\r\ny"};
    const QByteArray bytes = JoinAlbumRecords(records);
    QCOMPARE(bytes, QByteArray::fromHex("2283c4220d0a") + "\"\"\r\n\"x\r\ny\"\r\n");
    QCOMPARE(SplitAlbumRecords(bytes), records);
  }
};

QTEST_APPLESS_MAIN(TstAlbumFile)
#include "tst_album_file.moc"
