#include <QtTest>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

const QString kHeader = QStringLiteral("ζ運動会ζ山田ζ2020/01/02ζ");

QList<QByteArray> Records(const QString& path) { return SplitAlbumRecords(ReadBytes(path)); }

}  // namespace

// What the reader could not make sense of (damaged framing, bytes CP932 cannot read,
// characters with two codes) survives every write-back, and never keeps the user on a page.
class TstAlbumStoredBytes : public QObject {
  Q_OBJECT
  std::unique_ptr<AlbumFixture> f_;

  Album& A() { return *f_->album; }
  AlbumCommands& C() { return *f_->commands; }
  ScriptedPrompter& P() { return f_->prompter; }

 private slots:
  void init() { f_ = std::make_unique<AlbumFixture>(); }
  void cleanup() { f_.reset(); }

  // A page that lost its closing quote no longer swallows the next page; opening names the
  // damaged pages, and page moves keep every page, text after a closing quote included.
  void DamagedPagesAreNamedAndKept() {
    const QByteArray p1 = EncodeCp932(PageWithTexts({"1", "一"}));
    const QByteArray p2 = EncodeCp932(PageWithTexts({"2"}));
    const QByteArray p3 = EncodeCp932(PageWithTexts({"3"}));
    const QString path = f_->folder.File("damaged.apt");
    WriteBytes(path, "\"" + EncodeCp932(kHeader) + "\"\r\n\"" + p1 + "\r\n\"" + p2 + "\"\r\n\"" +
                         p3 + "\"tail\r\n");
    QVERIFY(A().OpenAlbumAt(path));
    QCOMPARE(A().PageCount(), 3);
    QCOMPARE(P().Notices().size(), 1);
    QVERIFY2(P().Notices()[0].contains("アルバムファイルのページ 1、ページ 3が壊れています"),
             qPrintable(P().Notices()[0]));
    A().LastPage();
    Edit(A(), [](PageContent& page) { page.lines[2].text = "編集"; });
    A().FirstPage();
    const QList<QByteArray> records = Records(path);
    QCOMPARE(records.size(), 4);
    PageContent first;
    DecodePageRecord(DecodeCp932(records[1]), first);
    QCOMPARE(first.lines[1].text, QString("一"));
    QCOMPARE(records[2], p2);
    QVERIFY(records[3].endsWith("\"tail"));
    QVERIFY(DecodeCp932(records[3]).contains("ζ編集ζ"));
    QCOMPARE(P().Notices().size(), 1);
  }

  // A field the user did not change is written back with the bytes it was read from, even
  // where CP932 cannot read them or has a second code: page moves, saving and deleting work
  // on such a page, and the bytes stay.
  void UnchangedFieldsKeepTheirBytes_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("photo path CP932 cannot read") << "path" << QByteArray::fromHex("8540");
    QTest::newRow("slot text with unreadable bytes") << "line" << QByteArray::fromHex("80a0fdfeff");
    QTest::newRow("label with a character of two codes") << "label" << QByteArray::fromHex("8790");
    QTest::newRow("cover with unreadable bytes") << "cover" << QByteArray::fromHex("808540");
  }
  void UnchangedFieldsKeepTheirBytes() {
    QFETCH(QString, place);
    QFETCH(QByteArray, bytes);
    const QString mark = "QQQQ";
    PageContent page;
    if (place == "path") page.Photo(1).path = "D:\\写真\\" + mark + ".jpg";
    if (place == "line") page.lines[1].text = "説明" + mark;
    if (place == "label") page.Label(1).text = mark + "\r\n二行目";
    const QString header = place == "cover" ? "ζ運動会ζ" + mark + "ζ2020/01/02ζ" : kHeader;
    const QString path = f_->folder.File("odd.apt");
    WriteBytes(path, JoinAlbumRecords({EncodeCp932(header).replace("QQQQ", bytes),
                                       EncodeCp932(SerializePage(page)).replace("QQQQ", bytes),
                                       EncodeCp932(PageWithTexts({"2"}))}));
    const int at = place == "cover" ? 0 : 1;
    QVERIFY(A().OpenAlbumAt(path));
    Edit(A(), [](PageContent& p) { p.lines[5].text = "編集〜"; });
    A().NextPage();
    QCOMPARE(A().CurrentPage(), 2);
    QVERIFY(Records(path)[at].contains(bytes));
    QVERIFY(DecodeCp932(Records(path)[1]).contains("ζ編集～ζ"));
    A().FirstPage();
    QVERIFY(A().Save());
    QVERIFY(Records(path)[at].contains(bytes));
    C().DeletePage();
    QCOMPARE(A().PageCount(), 1);
    QCOMPARE(Records(path).size(), 2);
    if (place == "cover") QVERIFY(Records(path)[0].contains(bytes));
    QCOMPARE(P().Notices(), QStringList());
  }

  // A page without a single separator whose bytes end in half a character (found by fuzzing):
  // the record written after the kept bytes keeps its first field, and a second write-back
  // gives the same bytes.
  void AKeptHalfCharacterDoesNotSwallowTheFirstSeparator() {
    const QByteArray damaged = EncodeCp932("壊れ") + '\x8E';
    const QString path = f_->folder.File("half.apt");
    WriteBytes(path, JoinAlbumRecords({EncodeCp932(kHeader), EncodeCp932(PageWithTexts({"1"})),
                                       damaged}));
    QVERIFY(A().OpenAlbumAt(path));
    A().LastPage();
    Edit(A(), [](PageContent& p) { p.lines[0].text = "編集"; });
    A().FirstPage();
    const QByteArray written = Records(path)[2];
    QVERIFY(written.startsWith(damaged));
    const QStringList fields = SplitRecordFields(DecodeCp932(written));
    const QStringList expected = SplitRecordFields(PageWithTexts({"編集"}));
    QCOMPARE(fields.size(), expected.size());
    QCOMPARE(fields.indexOf("編集"), expected.indexOf("編集"));
    A().LastPage();
    Edit(A(), [](PageContent& p) { p.lines[1].text = "二"; });
    Edit(A(), [](PageContent& p) { p.lines[1].text.clear(); });
    A().FirstPage();
    QCOMPARE(Records(path)[2], written);
  }
};

QTEST_GUILESS_MAIN(TstAlbumStoredBytes)
#include "tst_album_stored_bytes.moc"
