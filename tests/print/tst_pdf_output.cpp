#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "print/pdf_command.h"
#include "print/pdf_export.h"
#include "print/private_album_copy.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

int PdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

}  // namespace

class TstPdfOutput : public QObject {
  Q_OBJECT

  std::unique_ptr<AlbumFixture> f_;
  QString album_path_;
  QByteArray album_bytes_;
  QString messages_;

  // Three pages with a photo each, underlined and framed rules.
  QStringList ThreePages() {
    const QString photo = f_->folder.File(QStringLiteral("photo.jpg"));
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(QColor(90, 140, 200));
    image.save(photo);
    QStringList records = {QStringLiteral("ζ旅行ζ山田ζ2026/12/09ζ")};
    for (int i = 1; i <= 3; ++i) {
      PageContent page;
      page.guide_lines = 1;
      page.rule_style = i == 2 ? RuleStyle::kFrame : RuleStyle::kUnderline;
      page.Photo(1).path = photo;
      page.lines[0].text = QString::number(i);
      page.lines[1].text = QStringLiteral("外壁北面");
      records.append(SerializePage(page));
    }
    return records;
  }

  // Runs the command line with ALBUM, OUT, MISSING, NOTALBUM and NOFOLDER standing for files of
  // the test folder; the messages are left in messages_.
  int Run(QStringList args) {
    const QString not_album = f_->folder.File(QStringLiteral("notes.txt"));
    WriteBytes(not_album, "just some text\r\nand more\r\n");
    for (QString& a : args) {
      a.replace(QStringLiteral("NOFOLDER"), f_->folder.File(QStringLiteral("none")));
      if (a == QLatin1String("OUT")) a = f_->folder.File(QStringLiteral("out.pdf"));
      if (a == QLatin1String("MISSING")) a = f_->folder.File(QStringLiteral("gone.apt"));
      if (a == QLatin1String("NOTALBUM")) a = not_album;
      if (a == QLatin1String("ALBUM")) a = album_path_;
    }
    messages_.clear();
    QTextStream err(&messages_);
    return RunPdfCommand(args, f_->folder.Program(), err);
  }

 private slots:
  void init() {
    f_ = std::make_unique<AlbumFixture>();
    album_path_ = f_->folder.File(QStringLiteral("a.apt"));
    WriteAlbum(album_path_, ThreePages());
    album_bytes_ = ReadBytes(album_path_);
  }
  void cleanup() { f_.reset(); }

  void CommandWritesThePdfAndLeavesTheAlbumAlone_data() {
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("pdf_pages");
    QTest::newRow("default all") << QString() << 3;
    QTest::newRow("all") << QStringLiteral("all") << 3;
    QTest::newRow("one page") << QStringLiteral("2") << 1;
    QTest::newRow("range") << QStringLiteral("2-3") << 2;
    QTest::newRow("odd") << QStringLiteral("odd") << 2;
    QTest::newRow("even") << QStringLiteral("even") << 1;
  }
  void CommandWritesThePdfAndLeavesTheAlbumAlone() {
    QFETCH(QString, pages);
    QFETCH(int, pdf_pages);
    QStringList args = {QStringLiteral("--pdf"), QStringLiteral("OUT")};
    if (!pages.isEmpty()) args << QStringLiteral("--pages") << pages;
    QCOMPARE(Run(args << QStringLiteral("ALBUM")), 0);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_));
    const QByteArray pdf = ReadBytes(f_->folder.File(QStringLiteral("out.pdf")));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(PdfPages(pdf), pdf_pages);
    // Photos reach the file at print size, not as the full picture would.
    QVERIFY(pdf.size() < pdf_pages * 1200 * 1024);
    QDir dir(f_->folder.Path());
    QCOMPARE(dir.entryList({QStringLiteral("*.part")}, QDir::Hidden | QDir::Files).size(), 0);
    QCOMPARE(ReadBytes(album_path_), album_bytes_);
    QVERIFY(!QFile::exists(f_->folder.Program().BackApt()));
  }

  void CommandPrintsAsStoredAndNamesWhatDoesNotPrint() {
    WriteAlbum(album_path_, {SerializeHeader({}), PageWithTexts({"", "外壁北面"})});
    QCOMPARE(Run({QStringLiteral("--pdf"), QStringLiteral("OUT"), QStringLiteral("ALBUM")}), 0);
    QCOMPARE(messages_,
             QStringLiteral(
                 "komasu2: ページ 1 は補助線がオフのため、写真の番号と説明文が印刷されません。\n"
                 "komasu2: 番号と説明文は補助線がオンのページにだけ印刷されます。\n"));
  }

  // The command line applies the settings files as the window does on activation: the slot
  // text font of fontinfo.ini (size minus 5, the first two lines of each slot 8 and 6 pt).
  void CommandAppliesTheSettingsFilesAsTheWindowDoes() {
    WriteTextLines(f_->folder.File(QStringLiteral("fontinfo.ini")),
                   {"ＭＳ 明朝", "12.5", "False", "True", "False", "255"});
    QString error;
    const auto copy = PrivateAlbumCopy::FromBytes(album_bytes_, QStringLiteral("a.apt"),
                                                  f_->folder.Program(), f_->prompter, &error);
    QVERIFY2(copy, qPrintable(error));
    f_->album->OpenAlbumAt(album_path_);
    f_->album->ApplySettingsFiles();
    for (const Album* album : {&copy->album(), f_->album.get()}) {
      const PageContent& page = album->Page();
      QCOMPARE(page.lines[2].style.font_name, QStringLiteral("ＭＳ 明朝"));
      QCOMPARE(page.lines[2].style.size, 7.5);
      QVERIFY(page.lines[2].style.bold);
      QCOMPARE(page.lines[0].style.size, 8.0);
      QCOMPARE(page.lines[10].style.size, 6.0);
    }
  }

  void HelpIsTheUsageOfBothCommandLines() {
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"-h"}, QStringList{"a.apt", "--help"}}) {
      QVERIFY2(IsHelpCommand(args), qPrintable(args.join(' ')));
    }
    QVERIFY(!IsHelpCommand({QStringLiteral("a.apt")}));
    QVERIFY(UsageText().contains(QStringLiteral("komasu2 [アルバム.apt]")));
    QVERIFY(UsageText().contains(QStringLiteral(
        "komasu2 --pdf 出力.pdf [--pages N | N-M | odd | even | all] アルバム.apt")));
  }

  void WindowCommandLineTakesOneAlbumAndQtOptions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("album_or_error");
    QTest::newRow("unknown") << QStringList{"a.apt", "--bogus"}
                             << "不明なオプション --bogus です。";
    QTest::newRow("Qt options") << QStringList{"-platform", "xcb", "--style=fusion", "-reverse",
                                               "a.apt"}
                                << "a.apt";
    QTest::newRow("Qt option without its value")
        << QStringList{"a.apt", "-style"} << "-style の後に値がありません。";
    QTest::newRow("two albums") << QStringList{"a.apt", "b.apt"}
                                << "アルバムファイルは一つだけ指定してください。";
    QTest::newRow("album after --") << QStringList{"--", "-a.apt"} << "-a.apt";
  }
  void WindowCommandLineTakesOneAlbumAndQtOptions() {
    QFETCH(QStringList, args);
    QFETCH(QString, album_or_error);
    const WindowCommandLine line = ParseWindowCommandLine(args);
    QCOMPARE(line.error.isEmpty() ? line.album : line.error, album_or_error);
  }

  void AnAlbumIsNeverItsOwnPdfOutput_data() {
    QTest::addColumn<QString>("output");  // how the album is named as the output
    QTest::addColumn<bool>("editor");     // the editor's PDF output rather than the command's
    QTest::newRow("same path") << QStringLiteral("same") << false;
    QTest::newRow("another spelling") << QStringLiteral("dotdot") << false;
    QTest::newRow("hard link") << QStringLiteral("hard") << false;
    QTest::newRow("symbolic link") << QStringLiteral("symlink") << false;
    QTest::newRow("editor, symbolic link") << QStringLiteral("symlink") << true;
    QTest::newRow("editor, hard link") << QStringLiteral("hard") << true;
    // Nor is anything that is not a regular file.
    QTest::newRow("FIFO") << QStringLiteral("fifo") << false;
    QTest::newRow("editor, FIFO") << QStringLiteral("fifo") << true;
  }
  void AnAlbumIsNeverItsOwnPdfOutput() {
    QFETCH(QString, output);
    QFETCH(bool, editor);
    QString out = album_path_;
    QVERIFY(QDir(f_->folder.Path()).mkdir(QStringLiteral("x")));
    if (output == QLatin1String("dotdot")) out = f_->folder.File(QStringLiteral("x/../a.apt"));
    if (output == QLatin1String("hard")) {
      out = f_->folder.File(QStringLiteral("x/a.pdf"));
      QCOMPARE(::link(QFile::encodeName(album_path_), QFile::encodeName(out)), 0);
    }
    if (output == QLatin1String("symlink")) {
      out = f_->folder.File(QStringLiteral("x/a.pdf"));
      QVERIFY(QFile::link(album_path_, out));
    }
    const bool fifo = output == QLatin1String("fifo");
    if (fifo) out = f_->folder.File(QStringLiteral("x/fifo.pdf"));
    if (fifo) QCOMPARE(::mkfifo(QFile::encodeName(out), 0600), 0);
    const QString refusal = fifo ? QStringLiteral("はファイルではないため")
                                 : QStringLiteral("出力元のアルバムファイルです");
    if (editor) {
      f_->album->OpenAlbumAt(album_path_);
      const PdfExportResult r = ExportPdf(*f_->album, {1, 3, false}, out);
      QVERIFY(!r.ok);
      QVERIFY2(r.error.contains(refusal), qPrintable(r.error));
    } else {
      QCOMPARE(Run({QStringLiteral("--pdf"), out, QStringLiteral("--pages"), QStringLiteral("all"),
                    QStringLiteral("ALBUM")}),
               2);
      QVERIFY2(messages_.contains(refusal), qPrintable(messages_));
    }
    QCOMPARE(ReadBytes(album_path_), album_bytes_);
    QVERIFY(!fifo || !QFileInfo(out).isFile());
  }

  // A full disk mid-write (simulated by a file size limit) keeps the file the PDF would replace
  // and says so, instead of leaving a PDF cut short.
  void AFullDiskKeepsTheOldPdfAndSaysSo() {
    const QString out = f_->folder.File(QStringLiteral("out.pdf"));
    const QByteArray old = "%PDF-1.4 the earlier output\n%%EOF\n";
    WriteBytes(out, old);
    {
      // Room for the private copy of the album, not for the PDF (about twice its size).
      FileSizeLimit limit(album_bytes_.size() + 2048);
      QCOMPARE(Run({QStringLiteral("--pdf"), QStringLiteral("OUT"), QStringLiteral("ALBUM")}), 1);
    }
    QVERIFY2(messages_.contains(QStringLiteral("ディスクの空き容量が足りません。")),
             qPrintable(messages_));
    QCOMPARE(ReadBytes(out), old);
  }

  void APdfReplacesAFileAsAnAlbumSaveDoes_data() {
    QTest::addColumn<int>("existing_mode");  // -1: no file yet
    QTest::addColumn<bool>("through_link");  // OUT is a symbolic link to the file
    QTest::addColumn<int>("mode");
    QTest::newRow("new file: the umask") << -1 << false << 0640;
    QTest::newRow("replaced file keeps its mode") << 0600 << false << 0600;
    QTest::newRow("symbolic link: the target is replaced") << 0604 << true << 0604;
  }
  void APdfReplacesAFileAsAnAlbumSaveDoes() {
    QFETCH(int, existing_mode);
    QFETCH(bool, through_link);
    QFETCH(int, mode);
    const QString out = f_->folder.File(QStringLiteral("out.pdf"));
    const QString file = through_link ? f_->folder.File(QStringLiteral("kept.pdf")) : out;
    if (existing_mode >= 0) {
      WriteBytes(file, "old");
      QVERIFY(::chmod(QFile::encodeName(file), existing_mode) == 0);
    }
    if (through_link) QVERIFY(QFile::link(QStringLiteral("kept.pdf"), out));
    const mode_t old_umask = ::umask(027);
    const int code = Run({QStringLiteral("--pdf"), QStringLiteral("OUT"), QStringLiteral("ALBUM")});
    ::umask(old_umask);
    QCOMPARE(code, 0);
    QCOMPARE(QFileInfo(out).isSymLink(), through_link);
    QVERIFY(ReadBytes(file).startsWith("%PDF"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(file), &st), 0);
    QCOMPARE(static_cast<int>(st.st_mode & 07777), mode);
  }

  // The command prints from a private copy that nothing writes back to, so a page the album file
  // could not hold again (as the editor would refuse to store it) is printed all the same.
  void EveryPageReachesThePdfAlthoughItCouldNotBeStoredAgain_data() {
    QTest::addColumn<QByteArray>("from");  // bytes of page 2 replaced
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("line break in a slot text")
        << EncodeCp932(QStringLiteral("外壁北面")) << EncodeCp932(QStringLiteral("外壁\r\n北面"));
    QTest::newRow("photo path in another encoding")
        << QByteArray("photo.jpg") << QByteArray("\x85\x40\x85\x41.jpg");
  }
  void EveryPageReachesThePdfAlthoughItCouldNotBeStoredAgain() {
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QList<QByteArray> records = SplitAlbumRecords(album_bytes_);
    QVERIFY(records[2].contains(from));
    records[2].replace(from, to);
    WriteBytes(album_path_, JoinAlbumRecords(records));
    QCOMPARE(Run({QStringLiteral("--pdf"), QStringLiteral("OUT"), QStringLiteral("ALBUM")}), 0);
    QCOMPARE(PdfPages(ReadBytes(f_->folder.File(QStringLiteral("out.pdf")))), 3);
    QVERIFY2(!messages_.contains(QStringLiteral("されませんでした")), qPrintable(messages_));
  }

  // In the editor the run writes each page back; when page 1 cannot be (the cover name holds
  // "ζ"), no PDF short of pages 2 and 3 is saved as if complete.
  void AnEditorPdfThatWouldMissPagesIsNotSaved() {
    f_->Open(QStringLiteral("b.apt"), ThreePages());
    f_->commands->SetCoverField(0, QStringLiteral("旅ζ行"));
    const QString out = f_->folder.File(QStringLiteral("out.pdf"));
    const PdfExportResult r = ExportPdf(*f_->album, {1, 3, false}, out);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains(QStringLiteral("は印刷されませんでした。")) &&
                 r.error.contains(QStringLiteral("ページ 2")),
             qPrintable(r.error));
    QVERIFY(!QFile::exists(out));
  }

  // A page the album cannot show fails the command by name instead of printing blank.
  void APageTheAlbumCannotShowIsNotPrintedBlank_data() {
    QTest::addColumn<bool>("too_large");  // otherwise of another format version
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("code");
    QTest::newRow("too large") << true << "all" << 1;
    QTest::newRow("another format version") << false << "even" << 1;
    QTest::newRow("not asked for") << true << "odd" << 0;
  }
  void APageTheAlbumCannotShowIsNotPrintedBlank() {
    QFETCH(bool, too_large);
    QFETCH(QString, pages);
    QFETCH(int, code);
    QStringList records = ThreePages();
    PageContent page;
    page.Label(1).text = QString(too_large ? kMaxRecordBytes : 0, u'x');
    records[2] = SerializePage(page, too_large ? kFormatVersion : QStringLiteral("9.99"));
    WriteAlbum(album_path_, records);
    QCOMPARE(Run({"--pdf", "OUT", "--pages", pages, "ALBUM"}), code);
    QCOMPARE(QFile::exists(f_->folder.File(QStringLiteral("out.pdf"))), code == 0);
    QCOMPARE(messages_.contains(QStringLiteral("ページ 2 は表示できないため")), code != 0);
  }

  void CommandRefusesBadInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing album")
        << QStringList{"--pdf", "OUT", "MISSING"} << 1 << QStringLiteral("見つかりません");
    QTest::newRow("not an album") << QStringList{"--pdf", "OUT", "NOTALBUM"} << 1
                                  << QStringLiteral("アルバムファイルではありません");
    QTest::newRow("page beyond") << QStringList{"--pdf", "OUT", "--pages", "4", "ALBUM"} << 2
                                 << QStringLiteral("ページの指定");
    QTest::newRow("range reversed") << QStringList{"--pdf", "OUT", "--pages", "3-2", "ALBUM"} << 2
                                    << QStringLiteral("ページの指定");
    QTest::newRow("page zero") << QStringList{"--pdf", "OUT", "--pages", "0", "ALBUM"} << 2
                               << QStringLiteral("ページの指定");
    QTest::newRow("words") << QStringList{"--pdf", "OUT", "--pages", "some", "ALBUM"} << 2
                           << QStringLiteral("ページの指定");
    QTest::newRow("no output") << QStringList{"ALBUM", "--pdf"} << 2 << QStringLiteral("使い方");
    QTest::newRow("unknown option")
        << QStringList{"--pdf", "OUT", "--fast", "ALBUM"} << 2 << QStringLiteral("--fast");
    QTest::newRow("unwritable output") << QStringList{"--pdf", "NOFOLDER/x.pdf", "ALBUM"} << 1
                                       << QStringLiteral("書き込めませんでした");
  }
  void CommandRefusesBadInput() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QCOMPARE(Run(args), code);
    QVERIFY2(messages_.contains(message), qPrintable(messages_));
    QVERIFY(!QFile::exists(f_->folder.File(QStringLiteral("out.pdf"))));
    QVERIFY(!QFile::exists(f_->folder.File(QStringLiteral("none/x.pdf"))));
    QCOMPARE(ReadBytes(album_path_), album_bytes_);
  }
};

QTEST_MAIN(TstPdfOutput)
#include "tst_pdf_output.moc"
