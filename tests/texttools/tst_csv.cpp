#include <sys/stat.h>

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

QStringList StoredTexts(const QString& path, int p) {
  PageContent page;
  DecodePageRecord(ReadAlbum(path).value(p), page);
  QStringList out;
  for (const SlotTextLine& l : page.lines) out << l.text;
  return out;
}

QList<QStringList> Texts(const QList<CsvRow>& rows) {
  QList<QStringList> out(rows.size());
  for (qsizetype r = 0; r < rows.size(); ++r) {
    for (const CsvValue& v : rows[r].values) out[r] << v.text;
  }
  return out;
}

QByteArray Csv(const QList<QStringList>& pages) {
  QString text;
  for (const QStringList& p : pages) text += CsvLine(p) + QStringLiteral("\r\n");
  return EncodeCp932(text);
}

// Page p with texts that must survive export and import unchanged, at varying places.
QStringList VariedPage(int p) {
  static const QStringList kVaried = {"001",   "1.50",   "1E3",      "外壁,北面", "，",
                                      " 先頭", "末尾 ",  "",         "Ⅱ①～",      "1,000",
                                      "-0",    "東，西", "　字下げ", "ﾊﾞｰｼﾞｮﾝ"};
  QStringList texts = PageTexts(p);
  for (int i = 0; i < kVaried.size(); ++i) texts[(i * 5 + p) % kSlotTextLines] = kVaried[i];
  return texts;
}

}  // namespace

class TstCsv : public QObject {
  Q_OBJECT
 private slots:
  // Each text as the export writes it; the reader gives it back exactly, also last on a line.
  void FieldQuoting_data() {
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
    QTest::newRow("number with zeros") << "001"
                                       << "001";
    QTest::newRow("exponent") << "1E3"
                              << "1E3";
    QTest::newRow("leading blank") << " 先頭"
                                   << "\" 先頭\"";
    QTest::newRow("trailing blank") << "末尾 "
                                    << "末尾 ";
  }
  void FieldQuoting() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(CsvField(text), field);
    QStringList line(kSlotTextLines, QStringLiteral("x"));
    line[0] = line[26] = text;
    const QString file = CsvLine(line) + QStringLiteral("\r\n") + CsvLine(line);
    QCOMPARE(Texts(ReadCsvRows(file)), (QList<QStringList>{line, line}));
  }

  // One line is one row, whatever a spreadsheet left off its end.
  void ReadsOneRowPerLine_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("comma before line end adds nothing") << "a,b,\r\nc,\r\n"
                                                        << QList<QStringList>{{"a", "b"}, {"c"}};
    QTest::newRow("no final commas, LF and CR")
        << "a,b\nc\rd" << QList<QStringList>{{"a", "b"}, {"c"}, {"d"}};
    QTest::newRow("empty values") << ",,x,\r\n,\r\n" << QList<QStringList>{{"", "", "x"}, {""}};
    QTest::newRow("empty lines are empty rows, except at the end")
        << "\r\na,\r\n  \r\nb\r\n\r\n \r\n"
        << QList<QStringList>{{}, {"a"}, {}, {"b"}};
    QTest::newRow("leading blanks skipped") << "  a , \"b\"," << QList<QStringList>{{"a ", "b"}};
    QTest::newRow("quoted comma and line end stay in the row")
        << "\"外壁,北面\",\"x\r\ny\",z\r\nw"
        << QList<QStringList>{{"外壁,北面", "x\r\ny", "z"}, {"w"}};
    QTest::newRow("doubled quotes")
        << "\"say \"\"hi\"\"\",x" << QList<QStringList>{{"say \"hi\"", "x"}};
    // The export does not double an inner quote; the value then ends at it.
    QTest::newRow("inner quote") << "\"a\"b,c\"," << QList<QStringList>{{"a", "c\""}};
    QTest::newRow("unclosed quote") << "a,\"b,c\r\n" << QList<QStringList>{{"a", "b,c\r\n"}};
    QTest::newRow("numbers as written")
        << "001,1.50,1E3,-0," << QList<QStringList>{{"001", "1.50", "1E3", "-0"}};
  }
  void ReadsOneRowPerLine() {
    QFETCH(QString, file);
    QFETCH(QList<QStringList>, rows);
    QCOMPARE(Texts(ReadCsvRows(file)), rows);
  }

  // The file reads in the encoding it was written in: half-width kana in CP932 that happen to
  // be valid UTF-8 stay CP932 (found by fuzzing export then import).
  void DecodesAsWritten_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("CP932 half-width kana, valid UTF-8") << EncodeCp932("ﾃｽ,ﾎｱ,") << "ﾃｽ,ﾎｱ,";
    QTest::newRow("CP932 kanji") << EncodeCp932("外壁,") << "外壁,";
    QTest::newRow("UTF-8 without mark") << QString("外壁,ﾃｽ,").toUtf8() << "外壁,ﾃｽ,";
    QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBF" + QString("é,").toUtf8() << "é,";
  }
  void DecodesAsWritten() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeCsvBytes(bytes), text);
  }

  void ExportWritesTheExactFormat() {
    AlbumFixture f;
    QStringList one(kSlotTextLines);
    one[0] = QStringLiteral("12");
    one[1] = QStringLiteral("外壁,北面");
    one[2] = QStringLiteral("，");
    one[26] = QStringLiteral("Ⅱ");
    f.Open(QStringLiteral("a.apt"), {SerializeHeader({}), PageWithTexts(one), PageWithTexts({})});
    const QString csv = f.folder.File(QStringLiteral("out"));
    f.prompter.yes_no = {true};
    f.prompter.files = {csv};
    const QString chosen = ChooseCsvExportFile(*f.album);
    QCOMPARE(chosen, csv + QStringLiteral(".csv"));
    QVERIFY(TellCsvExported(*f.album, ExportCsv(*f.album, chosen)));
    QCOMPARE(ReadBytes(chosen), "12,\"\x8a\x4f\x95\xc7,\x96\x6b\x96\xca\",\"\x81\x43\"," +
                                    QByteArray(23, ',') + "\x87\x55,\r\n" + QByteArray(27, ',') +
                                    "\r\n");
    QCOMPARE(f.album->CurrentPage(), 2);  // the last page stays shown
    const auto& asked = f.prompter.asked;
    QVERIFY(asked.at(0).default_no);
    QCOMPARE(asked.at(1).filter, QStringLiteral("CSVファイル (*.csv)"));
    QCOMPARE(asked.at(2).text, QStringLiteral("CSVデータ保存しました"));
  }

  void ExportWritesTheShownPageBackFirst() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    f.album->JumpToPage(2);
    Edit(*f.album, [](PageContent& p) { p.Line(1, 3).text = QStringLiteral("打ったばかり"); });
    const QString csv = f.folder.File(QStringLiteral("out.csv"));
    QVERIFY(ExportCsv(*f.album, csv).ok);
    QStringList page2 = PageTexts(2);
    page2[12] = QStringLiteral("打ったばかり");
    QCOMPARE(ReadBytes(csv), Csv({PageTexts(1), page2, PageTexts(3)}));
    QCOMPARE(StoredTexts(path, 2), page2);
  }

  // A failed write is told instead of success; the album stays as it was.
  void ExportReportsAFailedWrite_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("no such folder") << "none/out.csv";
    QTest::newRow("the album itself") << "a.apt";
    QTest::newRow("a FIFO, never replaced") << "fifo.csv";
  }
  void ExportReportsAFailedWrite() {
    QFETCH(QString, target);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(2));
    QVERIFY(f.album->SaveCurrentPage());
    const QByteArray album_bytes = ReadBytes(path);
    QCOMPARE(::mkfifo(QFile::encodeName(f.folder.File(QStringLiteral("fifo.csv"))), 0600), 0);
    QVERIFY(!TellCsvExported(*f.album, ExportCsv(*f.album, f.folder.File(target))));
    const QStringList notices = f.prompter.Notices();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].startsWith(QStringLiteral("CSVファイルを保存できませんでした。")),
             qPrintable(notices[0]));
    QCOMPARE(ReadBytes(path), album_bytes);
  }

  // Line p replaces the slot texts of page p, in one batch; a short line empties the rest of its
  // page, pages after the last line keep everything.
  void ImportFillsPagesInTurn_data() {
    QTest::addColumn<int>("album_pages");
    QTest::addColumn<QList<int>>("lengths");  // values on each line
    QTest::addColumn<int>("page_count");
    QTest::newRow("2 lines into 5 pages") << 5 << QList<int>{27, 27} << 5;
    QTest::newRow("a short line appends a page") << 1 << QList<int>{27, 3} << 2;
    QTest::newRow("3 lines into 2 pages") << 2 << QList<int>{27, 27, 27} << 3;
    QTest::newRow("short and empty lines") << 3 << QList<int>{12, 0, 5} << 3;
    QTest::newRow("no lines") << 2 << QList<int>{} << 2;
  }
  void ImportFillsPagesInTurn() {
    QFETCH(int, album_pages);
    QFETCH(QList<int>, lengths);
    QFETCH(int, page_count);
    // Written as a spreadsheet writes short lines: no comma after the last value.
    QList<QStringList> lines;
    QString text;
    for (int p = 1; p <= lengths.size(); ++p) {
      lines << QStringList();
      for (int i = 0; i < lengths[p - 1]; ++i)
        lines.last() << QStringLiteral("v%1-%2").arg(p).arg(i);
      text += lines.last().join(u',') + QStringLiteral("\r\n");
    }
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(album_pages));
    const QString csv = f.folder.File(QStringLiteral("in.csv"));
    WriteBytes(csv, EncodeCp932(text));
    f.album->JumpToPage(album_pages);
    int written_outside_batch = 0;
    connect(f.album.get(), &Album::PageWrittenBack,
            [&] { written_outside_batch += !f.album->InBatch(); });
    f.prompter.files = {csv};
    QVERIFY(TellCsvImported(*f.album, ReadCsvFile(*f.commands, ChooseCsvImportFile(*f.album))));
    QCOMPARE(f.prompter.Notices(), QStringList{QStringLiteral("CSVデータ読込完了しました")});
    QCOMPARE(written_outside_batch, 0);
    QCOMPARE(f.album->PageCount(), page_count);
    QCOMPARE(f.album->CurrentPage(), lengths.isEmpty() ? album_pages : 1);
    for (int p = 1; p <= page_count; ++p) {
      QStringList expected = p <= lengths.size() ? lines[p - 1] : PageTexts(p);
      expected.resize(kSlotTextLines);
      QCOMPARE(StoredTexts(path, p), expected);
    }
    // The slot text panel shows the imported texts.
    QCOMPARE(f.editor->PanelLines()[0], StoredTexts(path, f.album->CurrentPage()).at(0));
  }

  // Export then import gives back exactly what was exported, also from a spreadsheet's UTF-8
  // file with a byte order mark, and from Calc's: UTF-8 without one, LF line ends, the columns
  // that are empty on every page dropped.
  void ExportImportRoundTripIsExact_data() {
    QTest::addColumn<QString>("saved_by");
    QTest::newRow("as exported") << "export";
    QTest::newRow("UTF-8 with BOM") << "bom";
    QTest::newRow("spreadsheet") << "calc";
  }
  void ExportImportRoundTripIsExact() {
    QFETCH(QString, saved_by);
    auto page = [](int p) { return VariedPage(p).mid(0, 23) << QStringList(4); };
    QStringList records{SerializeHeader({})};
    for (int p = 1; p <= 4; ++p) records << PageWithTexts(page(p));
    AlbumFixture f, other;
    f.Open(QStringLiteral("a.apt"), records);
    const QString csv = f.folder.File(QStringLiteral("t.csv"));
    QVERIFY(WriteCsvFile(*f.album, csv).ok);
    QString text = DecodeCp932(ReadBytes(csv));
    if (saved_by == "calc") text.replace(QRegularExpression(QStringLiteral(",+\r\n")), "\n");
    if (saved_by != "export")
      WriteBytes(csv, (saved_by == "bom" ? "\xEF\xBB\xBF" : "") + text.toUtf8());
    const QString other_path = other.Open(QStringLiteral("b.apt"), AlbumRecords(1));
    QVERIFY(ReadCsvFile(*other.commands, csv).ok);
    for (int p = 1; p <= 4; ++p) QCOMPARE(StoredTexts(other_path, p), page(p));
  }

  // A value the album cannot store or show, a line of more than one page, or more pages than an
  // album holds change nothing; the message says why and where.
  void ImportRefusesAndChangesNothing_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("separator") << EncodeCp932(QStringLiteral("a,b,\r\nc,dζe,")) << "2 行目、2 番目";
    QTest::newRow("doubled quote, UTF-8")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("a,\"外壁,\"\"北\"\"\"").toUtf8()
        << "1 行目、2 番目";
    QTest::newRow("outside CP932")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("a\r\ncafé,").toUtf8() << "2 行目、1 番目";
    QTest::newRow("unreadable byte") << QByteArray("a,\x80,") << "CP932）としてもUTF-8としても";
    QTest::newRow("control character") << QByteArray("a,\r\nb,c\td,") << "制御文字（U+0009）";
    QTest::newRow("line break the page does not hold") << QByteArray("a,\"x\r\ny\",") << "改行";
    QTest::newRow("28 values") << QByteArray(27, ',') + "x"
                               << "1 行目には値が 28 個";
    QTest::newRow("a page too large to show")
        << EncodeCp932("a,\r\n" + QString(300000, u'あ') + u',' + QString(300000, u'い'))
        << "2 行目の値を読み込むと、ページ 2 のデータが大きすぎて";
    QTest::newRow("500 pages") << QByteArray("x\r\n").repeated(500) << "最大499ページ";
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
    QVERIFY(!TellCsvImported(*f.album, ReadCsvFile(*f.commands, csv)));
    const QStringList notices = f.prompter.Notices();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].contains(message), qPrintable(notices[0]));
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(f.album->CurrentPage(), 2);
    QVERIFY(f.album->Page() == shown);
  }

  // A line break the album file already holds in a slot text (written by another program) goes
  // out quoted and comes back into that album.
  void AStoredLineBreakComesBack() {
    QStringList texts = PageTexts(1);
    texts[4] = QStringLiteral("外壁\r\n北面");
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), {SerializeHeader({}), PageWithTexts(texts)});
    const QString csv = f.folder.File(QStringLiteral("t.csv"));
    QVERIFY(WriteCsvFile(*f.album, csv).ok && ReadCsvFile(*f.commands, csv).ok);
    QCOMPARE(StoredTexts(f.album->Path(), 1), texts);
  }

  // An album another program holds, opened read-only, takes no import.
  void ImportRefusesAReadOnlyAlbum() {
    AlbumFixture holder, f;
    const QString path = holder.Open(QStringLiteral("a.apt"), AlbumRecords(2));
    const QByteArray before = ReadBytes(path);
    f.prompter.yes_no = {true};
    QVERIFY(f.album->OpenAlbumAt(path) && f.album->IsReadOnly());
    const QString csv = f.folder.File(QStringLiteral("in.csv"));
    WriteBytes(csv, Csv({PageTexts(7)}));
    QVERIFY(!TellCsvImported(*f.album, ReadCsvFile(*f.commands, csv)));
    QVERIFY(f.prompter.Notices().value(0).contains(QStringLiteral("読み取り専用")));
    QCOMPARE(ReadBytes(path), before);
  }

  // The command line: exit codes; the export leaves the album alone, neither touches back.apt.
  void CommandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("export") << QStringList{"--csv-export", "OUT", "ALBUM"} << 0 << QString();
    QTest::newRow("import") << QStringList{"ALBUM", "--csv-import", "IN"} << 0 << QString();
    QTest::newRow("not an album") << QStringList{"--csv-import", "IN", "NOTES"} << 1
                                  << "アルバムファイルではありません";
    QTest::newRow("missing csv") << QStringList{"--csv-import", "GONE", "ALBUM"} << 1
                                 << "見つかりません";
    QTest::newRow("refused value") << QStringList{"--csv-import", "BAD", "ALBUM"} << 1 << "1 行目";
    QTest::newRow("unwritable csv") << QStringList{"--csv-export", "NOFOLDER", "ALBUM"} << 1 << "";
    QTest::newRow("no csv") << QStringList{"ALBUM", "--csv-import"} << 2 << "使い方";
    QTest::newRow("both") << QStringList{"--csv-export", "OUT", "--csv-import", "IN", "ALBUM"} << 2
                          << "一つだけ";
    QTest::newRow("csv is the album")
        << QStringList{"--csv-export", "ALBUM", "ALBUM"} << 2 << "アルバムファイルそのもの";
    QTest::newRow("export to a FIFO")
        << QStringList{"--csv-export", "FIFO", "ALBUM"} << 2 << "ファイルではない";
    // HELD: another computer holds the album's lock.
    QTest::newRow("export, album held elsewhere")
        << QStringList{"--csv-export", "OUT", "ALBUM", "HELD"} << 2
        << "コンピューター「現場PC」で 2026/12/08 16:45 から使用中です";
    QTest::newRow("import, album held elsewhere")
        << QStringList{"--csv-import", "IN", "ALBUM", "HELD"} << 2 << "「現場PC」";
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
    const QString fifo = folder.File(QStringLiteral("fifo.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QHash<QString, QString> names{
        {"OUT", "out.csv"},         {"IN", "in.csv"},   {"BAD", "bad.csv"},    {"GONE", "no.csv"},
        {"NOFOLDER", "none/o.csv"}, {"ALBUM", "a.apt"}, {"NOTES", "notes.txt"}};
    if (args.removeAll(QStringLiteral("HELD")) > 0) {
      WriteForeignLock(album, QStringLiteral("現場PC"),
                       QDateTime(QDate(2026, 12, 8), QTime(16, 45)));
    }
    for (QString& a : args) a = names.contains(a) ? folder.File(names[a]) : a == "FIFO" ? fifo : a;
    QString messages;
    QTextStream err(&messages);
    QCOMPARE(RunCsvCommand(args, folder.Program(), err), code);
    QVERIFY2(messages.contains(message) && (code == 0) == messages.isEmpty(), qPrintable(messages));
    QCOMPARE(ReadBytes(folder.Program().BackApt()), QByteArray("snapshot"));
    QVERIFY(!QFileInfo(fifo).isFile());
    const bool imported = code == 0 && args.contains(QStringLiteral("--csv-import"));
    QCOMPARE(ReadBytes(album) == album_bytes, !imported);
    if (imported) {
      QCOMPARE(StoredTexts(album, 2), PageTexts(8));
      QCOMPARE(StoredTexts(album, 3).value(0), QStringLiteral("x"));
    } else if (code == 0) {
      QCOMPARE(ReadBytes(folder.File(QStringLiteral("out.csv"))),
               Csv({PageTexts(1), PageTexts(2)}));
    }
    QVERIFY(UsageText().contains(QStringLiteral("--csv-import")));
  }
};

QTEST_GUILESS_MAIN(TstCsv)
#include "tst_csv.moc"
