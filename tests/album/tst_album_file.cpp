#include <QtTest>

#include "album/album_file.h"
#include "platform/cp932.h"

using namespace komasu;

using Records = QList<QByteArray>;
using Indexes = QList<qsizetype>;

class TstAlbumFile : public QObject {
  Q_OBJECT
 private slots:
  // Damaged framing loses nothing: every byte that is not framing stays in a record, the
  // damaged records are named, and joining the records gives a file that splits the same.
  void SplitsRecordsAtQuoteBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Records>("records");
    QTest::addColumn<Indexes>("damaged");
    QTest::newRow("two lines") << QByteArray("\"a\"\r\n\"b\"\r\n") << Records{"a", "b"}
                               << Indexes{};
    QTest::newRow("no final line end")
        << QByteArray("\"a\"\r\n\"b\"") << Records{"a", "b"} << Indexes{};
    QTest::newRow("line break inside quotes")
        << QByteArray("\"h\"\r\n\"x\r\ny\"\r\n") << Records{"h", "x\r\ny"} << Indexes{};
    QTest::newRow("closing quote starting a line")
        << QByteArray("\"h\"\r\n\"x\r\n\"\r\n") << Records{"h", "x\r\n"} << Indexes{};
    QTest::newRow("empty record kept")
        << QByteArray("\"h\"\r\n\"\"\r\n") << Records{"h", ""} << Indexes{};
    QTest::newRow("blank lines skipped")
        << QByteArray("\"h\"\r\n\r\n\n\"p\"\r\n") << Records{"h", "p"} << Indexes{};
    // 0x5C and 0x7C are second bytes of CP932 characters ("ソ", "ポ"); they split nothing.
    QTest::newRow("second bytes") << QByteArray::fromHex("22835c837c8790ed40fa5c220d0a")
                                  << Records{QByteArray::fromHex("835c837c8790ed40fa5c")}
                                  << Indexes{};
    QTest::newRow("LF line ends") << QByteArray("\"a\"\n\"b\"\n") << Records{"a", "b"} << Indexes{};
    QTest::newRow("empty file") << QByteArray() << Records{} << Indexes{};
    QTest::newRow("closing quote missing before the next record")
        << QByteArray("\"h\"\r\n\"p1\r\nlabel\r\n\"p2\"\r\n\"p3\"\r\n")
        << Records{"h", "p1\r\nlabel", "p2", "p3"} << Indexes{1};
    QTest::newRow("closing quote missing at the end")
        << QByteArray("\"h\"\r\n\"p\r\n") << Records{"h", "p"} << Indexes{1};
    QTest::newRow("text after the closing quote kept")
        << QByteArray("\"h\"junk\r\n\"p\"x\"\r\n") << Records{"h\"junk", "p\"x"} << Indexes{0, 1};
    QTest::newRow("opening quote missing") << QByteArray("plain text\r\np2\"\r\n\"p3\"")
                                           << Records{"plain text", "p2", "p3"} << Indexes{0, 1};
  }
  void SplitsRecordsAtQuoteBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(Records, records);
    QFETCH(Indexes, damaged);
    Indexes found;
    QCOMPARE(SplitAlbumRecords(bytes, &found), records);
    QCOMPARE(found, damaged);
    const QByteArray joined = JoinAlbumRecords(records);
    QCOMPARE(SplitAlbumRecords(joined), records);
    // Every byte but quotes and line ends reaches the joined file, in order.
    auto content = [](QByteArray b) {
      return b.replace('"', "").replace('\r', "").replace('\n', "");
    };
    QCOMPARE(content(joined), content(bytes));
  }

  // The window and the command line refuse the same files, saying why.
  void RefusesFilesThatAreNoAlbum_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    const QString album = "\"ζ名前ζ\"\r\n\"ζ1ζ0ζ0ζ3.50ζ<pic>ζ\"\r\n";
    QByteArray random(4096, '\0');
    QRandomGenerator generator(5);
    for (char& b : random) b = static_cast<char>(generator.bounded(256));
    QByteArray utf16le = QByteArray::fromHex("fffe");
    for (const QChar c : album)
      utf16le += QByteArray(1, char(c.unicode() & 0xff)) + char(c.unicode() >> 8);
    const QString utf8 = "は UTF-8 で保存されています。";
    QTest::newRow("album") << EncodeCp932(album) << QString();
    QTest::newRow("empty") << QByteArray() << "はアルバムファイルではありません。";
    QTest::newRow("random bytes") << random << "はアルバムファイルではありません。";
    QTest::newRow("header only") << EncodeCp932("\"ζaζ\"\r\n")
                                 << "にはページがないため、アルバムとして開けません。";
    QTest::newRow("page not starting with ζ")
        << EncodeCp932("\"ζaζ\"\r\n\"1ζ\"\r\n") << "はアルバムファイルではありません。";
    QTest::newRow("utf-8") << album.toUtf8() << utf8;
    QTest::newRow("utf-8 with mark") << "\xEF\xBB\xBF" + album.toUtf8() << utf8;
    QTest::newRow("utf-16 with mark") << utf16le << "は UTF-16 で保存されています。";
    QTest::newRow("utf-16 big-endian")
        << QByteArray::fromHex("002203b6") << "は UTF-16 で保存されています。";
  }
  void RefusesFilesThatAreNoAlbum() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const QString why = AlbumBytesProblem(bytes);
    QVERIFY2(problem.isEmpty() ? why.isEmpty() : why.startsWith(problem), qPrintable(why));
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
