#include <QtTest>

#include "album/page_record.h"
#include "platform/cp932.h"
#include "print/pdf_command.h"
#include "support/test_folder.h"
#include "texttools/csv_command.h"
#include "texttools/csv_format.h"
#include "texttools/csv_transfer.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// Page p's line i reads "p<p>-<i>".
QStringList PageTexts(int p) {
  QStringList texts;
  for (int i = 0; i < kSlotTextLines; ++i) texts << QStringLiteral("p%1-%2").arg(p).arg(i);
  return texts;
}

QStringList AlbumRecords(int pages) {
  QStringList records{SerializeHeader({QStringLiteral("現場"), {}, {}})};
  for (int p = 1; p <= pages; ++p) records << PageWithTexts(PageTexts(p));
  return records;
}

QStringList Texts(const PageContent& page) {
  QStringList out;
  for (const SlotTextLine& l : page.lines) out << l.text;
  return out;
}

QStringList StoredTexts(const QString& path, int p) {
  PageContent page;
  DecodePageRecord(ReadAlbum(path).value(p), page);
  return Texts(page);
}

// Texts an export must carry through an import unchanged.
const QStringList kVaried = {"001",   "1.50",      "1E3",  "外壁,北面", "，",       " 先頭",
                             "末尾 ", "",          "Ⅱ①～", "1,000",     "　字下げ", "-0",
                             "a'b",   "東，西,南", "No.7", "ﾊﾞｰｼﾞｮﾝ"};

QStringList VariedPage(int p) {
  QStringList texts = PageTexts(p);
  for (int i = 0; i < kVaried.size(); ++i) texts[(i * 5 + p) % kSlotTextLines] = kVaried[i];
  return texts;
}

QByteArray Csv(const QList<QStringList>& pages) {
  QString text;
  for (const QStringList& p : pages) text += CsvLine(p) + QStringLiteral("\r\n");
  return EncodeCp932(text);
}

// The import as the page moves do it page by page, each write-back rewriting the file.
void ImportPageByPage(Album& album, const QStringList& values) {
  const int pages = static_cast<int>((values.size() + 26) / 27);
  album.FirstPage();
  for (int p = 1; p <= pages; ++p) {
    if (p > 1) p <= album.PageCount() ? album.NextPage() : album.AppendPage();
    Edit(album, [&](PageContent& page) {
      for (int i = 0; i < 27 && (p - 1) * 27 + i < values.size(); ++i)
        page.lines[i].text = values[(p - 1) * 27 + i];
    });
  }
  album.SaveCurrentPage();
  album.SetCurrentPage(1);
}

}  // namespace

class TstCsvTransfer : public QObject {
  Q_OBJECT
 private slots:
  void ExportWritesTheExactFormatAndLeavesTheLastPageShown() {
    AlbumFixture f;
    QStringList one(27);
    one[0] = QStringLiteral("12");
    one[1] = QStringLiteral("外壁,北面");
    one[2] = QStringLiteral("，");
    one[26] = QStringLiteral("Ⅱ");
    const QString path = f.Open(QStringLiteral("a.apt"),
                                {SerializeHeader({}), PageWithTexts(one), PageWithTexts({})});
    const QString csv = f.folder.File(QStringLiteral("out"));
    f.prompter.yes_no = {true};
    f.prompter.files = {csv};
    const QString chosen = ChooseCsvExportFile(*f.album);
    QCOMPARE(chosen, csv + QStringLiteral(".csv"));
    QVERIFY(ExportCsv(*f.album, chosen));

    const QByteArray expected = "12,\"\x8a\x4f\x95\xc7,\x96\x6b\x96\xca\",\"\x81\x43\"," +
                                QByteArray(23, ',') + "\x87\x55,\r\n" + QByteArray(27, ',') +
                                "\r\n";
    QCOMPARE(ReadBytes(chosen), expected);
    QCOMPARE(f.album->CurrentPage(), 2);
    QCOMPARE(StoredTexts(path, 1), one);
    const auto& asked = f.prompter.asked;
    QCOMPARE(asked.size(), size_t(3));
    QCOMPARE(asked[0].text, QStringLiteral("CSVデータ(カンマ)区切りに書き出しされます。"));
    QCOMPARE(asked[0].title, QStringLiteral("確認"));
    QVERIFY(asked[0].default_no);
    QCOMPARE(asked[1].filter, QStringLiteral("CSVファイル (*.csv)"));
    QCOMPARE(asked[1].folder, f.album->FileSaveFolder());
    QCOMPARE(asked[2].text, QStringLiteral("CSVデータ保存しました"));
  }

  // Text typed on the shown page reaches the file, and the album keeps it.
  void ExportWritesTheShownPageBackFirst() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    f.album->JumpToPage(2);
    Edit(*f.album, [](PageContent& p) { p.Line(1, 3).text = QStringLiteral("打ったばかり"); });
    const QString csv = f.folder.File(QStringLiteral("out.csv"));
    QVERIFY(ExportCsv(*f.album, csv));
    QStringList page2 = PageTexts(2);
    page2[12] = QStringLiteral("打ったばかり");
    QCOMPARE(ReadBytes(csv), Csv({PageTexts(1), page2, PageTexts(3)}));
    QCOMPARE(StoredTexts(path, 2), page2);
  }

  void ExportEndsWithoutWriting_data() {
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("cancel_dialog");
    QTest::newRow("no to the question") << QList<bool>{false} << false;
    QTest::newRow("dialog cancelled") << QList<bool>{true} << true;
    QTest::newRow("no to overwriting") << QList<bool>{true, false} << false;
  }
  void ExportEndsWithoutWriting() {
    QFETCH(QList<bool>, answers);
    QFETCH(bool, cancel_dialog);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), AlbumRecords(2));
    const QString csv = f.folder.File(QStringLiteral("old.csv"));
    WriteBytes(csv, "old");
    f.prompter.yes_no.assign(answers.begin(), answers.end());
    f.prompter.files = {cancel_dialog ? QString() : csv};
    QVERIFY(ChooseCsvExportFile(*f.album).isEmpty());
    QCOMPARE(ReadBytes(csv), QByteArray("old"));
    QCOMPARE(f.album->CurrentPage(), 1);
  }

  // A failed write is told instead of success; the album stays as it was.
  void ExportReportsAFailedWrite_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("no such folder") << "none/out.csv";
    QTest::newRow("the album itself") << "a.apt";
  }
  void ExportReportsAFailedWrite() {
    QFETCH(QString, target);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(2));
    QVERIFY(f.album->SaveCurrentPage());
    const QByteArray album_bytes = ReadBytes(path);
    QVERIFY(!ExportCsv(*f.album, f.folder.File(target)));
    const QStringList notices = f.prompter.Notices();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].startsWith(QStringLiteral("CSVファイルを保存できませんでした。")),
             qPrintable(notices[0]));
    QCOMPARE(ReadBytes(path), album_bytes);
  }

  void FullDiskKeepsTheOldFile() {
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), AlbumRecords(40));
    const QString csv = f.folder.File(QStringLiteral("old.csv"));
    WriteBytes(csv, "old");
    CsvResult result;
    {
      FileSizeLimit limit(1000);
      result = WriteCsvFile(*f.album, csv);
    }
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(ReadBytes(csv), QByteArray("old"));
  }

  // Values replace the slot texts of pages 1, 2, … in turn; no page is lost and a final
  // incomplete page keeps its values. The batch writes what page-by-page moves write.
  void ImportFillsPagesInTurn_data() {
    QTest::addColumn<int>("album_pages");
    QTest::addColumn<int>("values");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("page_count");
    QTest::newRow("54 values into 5 pages") << 5 << 54 << 4 << 5;
    QTest::newRow("30 values into 1 page") << 1 << 30 << 1 << 2;
    QTest::newRow("30 values into 3 pages") << 3 << 30 << 3 << 3;
    QTest::newRow("81 values into 2 pages") << 2 << 81 << 2 << 3;
    QTest::newRow("one value") << 2 << 1 << 2 << 2;
    QTest::newRow("no values") << 2 << 0 << 2 << 2;
  }
  void ImportFillsPagesInTurn() {
    QFETCH(int, album_pages);
    QFETCH(int, values);
    QFETCH(int, shown);
    QFETCH(int, page_count);
    QStringList stream;
    for (int i = 0; i < values; ++i) stream << QStringLiteral("v%1").arg(i);
    QString text;
    for (int i = 0; i < values; ++i) text += CsvField(stream[i]) + (i % 10 == 9 ? ",\r\n" : ",");

    AlbumFixture batched, reference;
    const QString path = batched.Open(QStringLiteral("a.apt"), AlbumRecords(album_pages));
    const QString reference_path =
        reference.Open(QStringLiteral("b.apt"), AlbumRecords(album_pages));
    const QString csv = batched.folder.File(QStringLiteral("in.csv"));
    WriteBytes(csv, EncodeCp932(text));
    batched.album->JumpToPage(shown);
    reference.album->JumpToPage(shown);
    int written_outside_batch = 0;
    connect(batched.album.get(), &Album::PageWrittenBack,
            [&] { written_outside_batch += !batched.album->InBatch(); });
    std::pair<int, int> progress;
    batched.prompter.files = {csv};
    QVERIFY(
        ImportCsv(*batched.album, ChooseCsvImportFile(*batched.album), [&](int done, int total) {
          progress = {done, total};
        }));
    QCOMPARE(batched.prompter.Notices(), QStringList{QStringLiteral("CSVデータ読込完了しました")});
    QCOMPARE(written_outside_batch, 0);

    const Album& album = *batched.album;
    QCOMPARE(album.PageCount(), page_count);
    QCOMPARE(album.CurrentPage(), values == 0 ? shown : 1);
    for (int p = 1; p <= page_count; ++p) {
      QStringList expected = p <= album_pages ? PageTexts(p) : QStringList(27);
      for (int i = 0; i < 27 && (p - 1) * 27 + i < values; ++i)
        expected[i] = stream[(p - 1) * 27 + i];
      QCOMPARE(StoredTexts(path, p), expected);
    }
    QCOMPARE(Texts(album.Page()), StoredTexts(path, album.CurrentPage()));
    if (values > 0) {
      QCOMPARE(progress, std::pair((values + 26) / 27, (values + 26) / 27));
      ImportPageByPage(*reference.album, stream);
      QCOMPARE(ReadBytes(path), ReadBytes(reference_path));
    }
  }

  // Export then import gives back exactly what was exported, also when a spreadsheet saved the
  // file as UTF-8 with a byte order mark.
  void ExportImportRoundTripIsExact_data() {
    QTest::addColumn<bool>("utf8");
    QTest::newRow("as exported") << false;
    QTest::newRow("UTF-8 with BOM") << true;
  }
  void ExportImportRoundTripIsExact() {
    QFETCH(bool, utf8);
    AlbumFixture f;
    QStringList records{SerializeHeader({})};
    for (int p = 1; p <= 4; ++p) records << PageWithTexts(VariedPage(p));
    const QString path = f.Open(QStringLiteral("a.apt"), records);
    // What the album file holds once every page has been written back unchanged.
    AlbumFixture walked;
    const QString walked_path = walked.Open(QStringLiteral("w.apt"), records);
    do {
      walked.album->NextPage();
    } while (walked.album->CurrentPage() < walked.album->PageCount());
    walked.album->SaveCurrentPage();
    const QString csv = f.folder.File(QStringLiteral("t.csv"));
    QVERIFY(WriteCsvFile(*f.album, csv).ok);
    if (utf8) WriteBytes(csv, "\xEF\xBB\xBF" + DecodeCp932(ReadBytes(csv)).toUtf8());
    // Another album receives the texts; then the first one takes them back over its own.
    AlbumFixture other;
    const QString other_path = other.Open(QStringLiteral("b.apt"), AlbumRecords(1));
    QVERIFY(ReadCsvFile(*other.album, csv).ok);
    for (int p = 1; p <= 4; ++p) QCOMPARE(StoredTexts(other_path, p), VariedPage(p));
    QVERIFY(ReadCsvFile(*f.album, csv).ok);
    QCOMPARE(ReadBytes(path), ReadBytes(walked_path));
  }

  // A value the album cannot store, or too many pages, stop the import before anything changes.
  void ImportRefusesAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("separator") << EncodeCp932(QStringLiteral("a,b,\r\nc,dζe,")) << "2 行目、2 番目";
    QTest::newRow("doubled quote from a spreadsheet")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("a,\"外壁,\"\"北\"\"\"").toUtf8()
        << "1 行目、2 番目";
    QTest::newRow("outside CP932 in UTF-8")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("a\r\ncafé,").toUtf8() << "2 行目、1 番目";
    QTest::newRow("unreadable byte") << QByteArray("a,\x80,") << "1 行目、2 番目";
    QTest::newRow("line break in quotes") << QByteArray("a,\"x\r\ny\",") << "1 行目、2 番目";
    QTest::newRow("500 pages") << QByteArray(500 * 27 - 1, ',') + "x"
                               << "最大499ページ";
  }
  void ImportRefusesAndChangesNothing() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    f.album->JumpToPage(2);
    const QByteArray before = ReadBytes(path);
    const PageContent shown = f.album->Page();
    const QString csv = f.folder.File(QStringLiteral("in.csv"));
    WriteBytes(csv, file);
    QVERIFY(!ImportCsv(*f.album, csv));
    const QStringList notices = f.prompter.Notices();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].contains(message), qPrintable(notices[0]));
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(f.album->CurrentPage(), 2);
    QVERIFY(f.album->Page() == shown);
  }

  // The command line: exit codes, the album and back.apt left alone where they must be.
  void CommandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("export") << QStringList{"--csv-export", "OUT", "ALBUM"} << 0 << QString();
    QTest::newRow("import") << QStringList{"ALBUM", "--csv-import", "IN"} << 0 << QString();
    QTest::newRow("missing album")
        << QStringList{"--csv-export", "OUT", "MISSING"} << 1 << "見つかりません";
    QTest::newRow("not an album") << QStringList{"--csv-import", "IN", "NOTES"} << 1
                                  << "アルバムファイルではありません";
    QTest::newRow("missing csv") << QStringList{"--csv-import", "GONE", "ALBUM"} << 1
                                 << "見つかりません";
    QTest::newRow("refused value") << QStringList{"--csv-import", "BAD", "ALBUM"} << 1 << "1 行目";
    QTest::newRow("unwritable csv") << QStringList{"--csv-export", "NOFOLDER", "ALBUM"} << 1 << "";
    QTest::newRow("no album") << QStringList{"--csv-export", "OUT"} << 2 << "使い方";
    QTest::newRow("no csv") << QStringList{"ALBUM", "--csv-import"} << 2 << "使い方";
    QTest::newRow("both") << QStringList{"--csv-export", "OUT", "--csv-import", "IN", "ALBUM"} << 2
                          << "一つだけ";
    QTest::newRow("unknown option")
        << QStringList{"--csv-export", "OUT", "--pdf", "ALBUM"} << 2 << "--pdf";
    QTest::newRow("csv is the album")
        << QStringList{"--csv-export", "ALBUM", "ALBUM"} << 2 << "アルバムファイルそのもの";
  }
  void CommandLine() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    TestFolder folder;
    const QString album = folder.File(QStringLiteral("a.apt"));
    WriteAlbum(album, AlbumRecords(2));
    const QByteArray album_bytes = ReadBytes(album);
    WriteBytes(folder.Program().BackApt(), "snapshot");
    WriteBytes(folder.File(QStringLiteral("notes.txt")), "just text\r\n");
    WriteBytes(folder.File(QStringLiteral("in.csv")), Csv({PageTexts(7), PageTexts(8), {"x"}}));
    WriteBytes(folder.File(QStringLiteral("bad.csv")), "a,b\"\"c");
    const QHash<QString, QString> names{{"OUT", "out.csv"},         {"IN", "in.csv"},
                                        {"BAD", "bad.csv"},         {"GONE", "no.csv"},
                                        {"NOFOLDER", "none/o.csv"}, {"ALBUM", "a.apt"},
                                        {"MISSING", "x.apt"},       {"NOTES", "notes.txt"}};
    for (QString& a : args) {
      if (names.contains(a)) a = folder.File(names[a]);
    }
    QString messages;
    QTextStream err(&messages);
    QCOMPARE(RunCsvCommand(args, folder.Program(), err), code);
    QVERIFY2(messages.contains(message), qPrintable(messages));
    QCOMPARE(code == 0, messages.isEmpty());
    QCOMPARE(ReadBytes(folder.Program().BackApt()), QByteArray("snapshot"));
    const bool imported = code == 0 && args.contains(QStringLiteral("--csv-import"));
    QCOMPARE(ReadBytes(album) == album_bytes, !imported);
    if (imported) {
      QCOMPARE(StoredTexts(album, 2), PageTexts(8));
      QCOMPARE(StoredTexts(album, 3).value(0), QStringLiteral("x"));
    } else if (code == 0) {
      QCOMPARE(ReadBytes(folder.File(QStringLiteral("out.csv"))),
               Csv({PageTexts(1), PageTexts(2)}));
    }
    QVERIFY(UsageText().contains(QStringLiteral("--csv-export")));
    QVERIFY(UsageText().contains(QStringLiteral("--csv-import")));
  }
};

QTEST_GUILESS_MAIN(TstCsvTransfer)
#include "tst_csv_transfer.moc"
