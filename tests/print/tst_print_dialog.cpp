#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include "album/page_record.h"
#include "print/page_renderer.h"
#include "print/print_dialog.h"
#include "print/print_preview_dialog.h"
#include "print/printer_print_surface.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// Pages whose texts print (補助線 on), so a run asks nothing beyond its confirmation.
QStringList Pages(int n) {
  QStringList records = {QStringLiteral("ζζζζ")};
  for (int i = 1; i <= n; ++i) {
    PageContent page;
    page.guide_lines = 1;
    page.lines[0].text = QString::number(i);
    records.append(SerializePage(page));
  }
  return records;
}

// A prompter that notes, for each notice, whether a progress window was still there.
class ProgressWatchingPrompter : public ScriptedPrompter {
 public:
  void Notify(const QString& text, const QString& title, MessageIcon icon) override {
    bool progress = false;
    for (QWidget* w : QApplication::allWidgets())
      progress |= qobject_cast<QProgressDialog*>(w) != nullptr;
    under_progress.append(progress);
    ScriptedPrompter::Notify(text, title, icon);
  }
  QList<bool> under_progress;
};

// The fill colours the text objects of a PDF file are drawn in, in order ("r g b").
QStringList TextColours(const QByteArray& pdf) {
  QStringList out;
  static const QRegularExpression stream(QStringLiteral("stream\n(.*?)endstream"),
                                         QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression op(QStringLiteral("([\\d.]+ [\\d.]+ [\\d.]+) scn|\\bBT\\b"));
  for (const auto& m : stream.globalMatch(QString::fromLatin1(pdf))) {
    const QByteArray zlib = m.captured(1).toLatin1();
    if (!zlib.startsWith('\x78')) continue;  // photos and fonts: not a zlib stream
    // qUncompress wants the expected length in front; it grows its buffer when that is short.
    const QByteArray content = qUncompress(QByteArray("\0\0\x10\0", 4) + zlib);
    QString colour;
    for (const auto& o : op.globalMatch(QString::fromLatin1(content))) {
      if (o.captured(0) == QLatin1String("BT")) {
        out.append(colour);
      } else {
        colour = o.captured(1);
      }
    }
  }
  return out;
}

int PdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

}  // namespace

class TstPrintDialog : public QObject {
  Q_OBJECT

  std::unique_ptr<AlbumFixture> f_;
  std::unique_ptr<PrintDialog> dialog_;
  QList<PrintRequest> runs_;

  void Show(int pages, int current) {
    f_->Open(QStringLiteral("a.apt"), Pages(pages));
    f_->album->SetCurrentPage(current);
    dialog_ = std::make_unique<PrintDialog>(*f_->commands, f_->prompter);
    dialog_->SetPrintRunner([this](const PrintRequest& r) { runs_.append(r); });
    dialog_->show();
  }
  QPushButton* Button(const QString& name) { return dialog_->findChild<QPushButton*>(name); }
  QLineEdit* Field(int i) {
    return dialog_->findChild<QLineEdit*>(QStringLiteral("Text1(%1)").arg(i));
  }

 private slots:
  void init() {
    f_ = std::make_unique<AlbumFixture>();
    runs_.clear();
  }
  void cleanup() {
    dialog_.reset();
    f_.reset();
  }

  void OnePageAlbumOffersOnlyTheCurrentPage() {
    Show(1, 1);
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("ＫＯＭＡＳＵ-印刷"));
    for (const char* name : {"Command1(0)", "Command3", "Command2", "Command1(2)"}) {
      QVERIFY2(Button(QString::fromLatin1(name))->isEnabled(), name);
    }
    for (const char* name : {"Command1(1)", "Command1(3)", "Command1(4)"}) {
      QVERIFY2(!Button(QString::fromLatin1(name))->isEnabled(), name);
    }
  }

  void CommandsConfirmAndRun_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("range");  // typed into the fields; none: as offered
    QTest::addColumn<QString>("question");
    QTest::addColumn<PrintRequest>("request");
    QTest::newRow("current") << QStringLiteral("Command1(0)") << QStringList()
                             << QStringLiteral("現在のページのプリントを開始します")
                             << PrintRequest{7, 7, false};
    QTest::newRow("range") << QStringLiteral("Command1(1)") << QStringList{"3", "5"}
                           << QStringLiteral("3～5ページのプリントを開始します")
                           << PrintRequest{3, 5, false};
    // As an input method in full-width mode types them; the question repeats the entries.
    QTest::newRow("range typed full-width")
        << QStringLiteral("Command1(1)") << QStringList{"２", "１０"}
        << QStringLiteral("２～１０ページのプリントを開始します") << PrintRequest{2, 10, false};
    QTest::newRow("odd") << QStringLiteral("Command1(3)") << QStringList()
                         << QStringLiteral("奇数(1,3,5…)ページのプリントを開始します")
                         << PrintRequest{1, 12, true};
    QTest::newRow("even") << QStringLiteral("Command1(4)") << QStringList()
                          << QStringLiteral("偶数(2,4,6…)ページのプリントを開始します")
                          << PrintRequest{2, 12, true};
  }
  void CommandsConfirmAndRun() {
    QFETCH(QString, button);
    QFETCH(QStringList, range);
    QFETCH(QString, question);
    QFETCH(PrintRequest, request);
    for (bool yes : {false, true}) {
      Show(12, 7);
      QCOMPARE(Field(0)->text(), QStringLiteral("1"));  // offered: the whole album
      QCOMPARE(Field(1)->text(), QStringLiteral("12"));
      for (int i = 0; i < range.size(); ++i) Field(i)->setText(range[i]);
      f_->prompter.yes_no = {yes};
      f_->prompter.asked.clear();
      Button(button)->click();
      QCOMPARE(f_->prompter.asked.size(), size_t{1});
      QCOMPARE(f_->prompter.asked[0].text, question);
      QCOMPARE(f_->prompter.asked[0].title, QStringLiteral("印刷"));
      QCOMPARE(f_->prompter.asked[0].icon, MessageIcon::kExclamation);
      QCOMPARE(dialog_->isVisible(), !yes);
      QCOMPARE(runs_, yes ? QList<PrintRequest>{request} : QList<PrintRequest>{});
    }
  }

  void NonNumericRangeIsRefusedBeforeAsking() {
    Show(5, 1);
    Field(1)->setText(QStringLiteral("五"));
    Button(QStringLiteral("Command1(1)"))->click();
    QCOMPARE(f_->prompter.Notices().size(), 1);
    QVERIFY(runs_.isEmpty());
    QVERIFY(dialog_->isVisible());
  }

  void LayoutSettingsButtonAsksTheMainWindowAndStaysOpen() {
    Show(5, 1);
    QSignalSpy spy(dialog_.get(), &PrintDialog::LayoutSettingsRequested);
    Button(QStringLiteral("Command3"))->click();
    QCOMPARE(spy.count(), 1);
    QVERIFY(dialog_->isVisible());
  }

  // A printer object outlives its jobs and so does its paint engine's pen: a job's black texts
  // must not take the colour of the lines the job before ended with.
  void TextsStayBlackInEveryJob_data() {
    QTest::addColumn<int>("callout_colour");
    QTest::newRow("after grey callouts") << 0;
    QTest::newRow("after red callouts") << 255;
  }
  void TextsStayBlackInEveryJob() {
    QFETCH(int, callout_colour);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    PageContent page;
    page.guide_lines = 1;  // the "No." marks and slot lines as well
    page.Label(1).visible = true;
    page.Label(1).text = QStringLiteral("外壁");
    page.Label(1).left = 7000;
    page.Label(1).top = 2000;
    page.callouts[0].line = {7000, 3000, 9000, 3000, true};
    PrintPhotoLoader photos;
    LayoutSettings layout;
    for (int job = 1; job <= 2; ++job) {
      printer.setOutputFileName(f_->folder.File(QStringLiteral("job%1.pdf").arg(job)));
      PrinterPrintSurface surface(printer);
      PrintPage(page, job, layout, CalloutSettings{2, 100, 20, callout_colour}, photos, surface);
      QVERIFY(!surface.Failed());
    }
    for (int job = 1; job <= 2; ++job) {
      const QStringList colours =
          TextColours(ReadBytes(f_->folder.File(QStringLiteral("job%1.pdf").arg(job))));
      QVERIFY(!colours.isEmpty());
      QCOMPARE(colours, QStringList(colours.size(), QStringLiteral("0 0 0")));
    }
  }

  // A failed start, a failed page and a finished PDF are told after the progress window closed.
  void NoticesComeAfterTheProgressWindow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("notice");
    QTest::newRow("printer refuses the start")
        << QStringLiteral("Command1(0)")
        << QStringLiteral(
               "印刷を開始できませんでした。プリンタの接続と設定を確かめてください。\n"
               "ページ 2 は印刷されませんでした。");
    QTest::newRow("PDF written") << QStringLiteral("pdf")
                                 << QStringLiteral("PDFファイルを保存しました");
  }
  void NoticesComeAfterTheProgressWindow() {
    QFETCH(QString, button);
    QFETCH(QString, notice);
    ProgressWatchingPrompter prompter;
    f_->album = std::make_unique<Album>(f_->folder.Program(), prompter, f_->clock);
    f_->commands = std::make_unique<AlbumCommands>(*f_->album);
    Show(40, 2);
    dialog_ = std::make_unique<PrintDialog>(*f_->commands, prompter);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(f_->folder.File(QStringLiteral("missing/out.pdf")));
    dialog_->SetPrinter(printer);
    dialog_->show();
    prompter.yes_no = {true};
    prompter.files = {f_->folder.File(QStringLiteral("out.pdf"))};
    Button(button)->click();
    QCOMPARE(prompter.Notices(), QStringList{notice});
    QCOMPARE(prompter.under_progress, QList<bool>{false});
  }

  // The preview draws from a copy: neither the album file nor the shown page moves, and its
  // print button prints each page as a job of its own, named after the album and page.
  void PreviewPrintsEachPageAsAJobAndLeavesTheAlbumAlone() {
    const QString path = f_->Open(QStringLiteral("a.apt"), Pages(3));
    f_->album->SetCurrentPage(2);
    f_->commands->SetCoverField(0, QStringLiteral("現場写真帳"));
    Edit(*f_->album, [](PageContent& p) { p.lines[4].text = QStringLiteral("未保存"); });
    const QByteArray bytes = ReadBytes(path);
    const QDateTime written = QFileInfo(path).lastModified();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString out = f_->folder.File(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(out);
    PrintPreviewDialog preview(*f_->album, {1, 3, false}, printer, f_->prompter);
    preview.show();
    f_->prompter.yes_no = {true};
    preview.findChild<QPushButton*>(QStringLiteral("print"))->click();
    QCOMPARE(f_->prompter.asked[0].text, QStringLiteral("1～3ページのプリントを開始します"));
    QVERIFY(f_->prompter.Notices().isEmpty());
    // Each job rewrote the file: the last job's one page is left.
    QCOMPARE(PdfPages(ReadBytes(out)), 1);
    QCOMPARE(printer.docName(), QStringLiteral("現場写真帳 p.3"));
    QCOMPARE(ReadBytes(path), bytes);
    QCOMPARE(QFileInfo(path).lastModified(), written);
    QCOMPARE(f_->album->CurrentPage(), 2);
    QCOMPARE(f_->album->Page().lines[4].text, QStringLiteral("未保存"));
  }

  void PdfOutputWritesTheRangeIntoTheChosenFile() {
    Show(3, 2);
    Field(0)->setText(QStringLiteral("2"));
    Field(1)->setText(QStringLiteral("3"));
    const QString out = f_->folder.File(QStringLiteral("range"));
    f_->prompter.files = {out};
    Button(QStringLiteral("pdf"))->click();
    QVERIFY(QFile::exists(out + QStringLiteral(".pdf")));
    QCOMPARE(f_->prompter.asked[0].kind, QStringLiteral("save"));
    QCOMPARE(f_->prompter.asked[0].title, QStringLiteral("PDF出力"));
    QCOMPARE(f_->album->CurrentPage(), 3);
    QVERIFY(dialog_->isVisible());
  }
};

QTEST_MAIN(TstPrintDialog)
#include "tst_print_dialog.moc"
