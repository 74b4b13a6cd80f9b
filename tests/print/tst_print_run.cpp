#include <QtTest>

#include "album/page_record.h"
#include "platform/text_file.h"
#include "print/print_run.h"
#include "print/recording_print_surface.h"
#include "support/test_folder.h"

// Declared before the test table first names the type.
Q_DECLARE_METATYPE(komasu::RunPageMoves)

using namespace komasu;
using namespace komasu::test;

namespace {

QStringList Pages(int n) {
  QStringList records = {QStringLiteral("ζ旅行ζ山田ζ2026/12/09ζ")};
  for (int i = 1; i <= n; ++i) records.append(PageWithTexts({QStringLiteral("p%1").arg(i)}));
  return records;
}

// Cancels before the page with the given index (0-based) of the run.
class CancelAt : public PrintRunMonitor {
 public:
  explicit CancelAt(int index) : index_(index) {}
  bool BeforePage(int done, int, int) override { return done < index_; }

 private:
  int index_;
};

// A surface whose printer takes `accepted` pages and refuses the next one; either each page is a
// job of its own or all pages are one document.
class RefusingSurface : public RecordingPrintSurface {
 public:
  RefusingSurface(int accepted, bool separate_jobs)
      : accepted_(accepted), separate_jobs_(separate_jobs) {}
  bool Failed() const override { return Pages() > accepted_; }
  QString ErrorText() const override { return QStringLiteral("プリンタがありません"); }
  bool PagesAreSeparateJobs() const override { return separate_jobs_; }

 private:
  int accepted_;
  bool separate_jobs_;
};

// A printer queue that takes `accepted` pages and then shows their jobs in `states`.
class QueueSurface : public RefusingSurface {
 public:
  QueueSurface(int accepted, const QList<int>& states, bool gone)
      : RefusingSurface(accepted, true) {
    for (int state : states) sent_.jobs.append({1, static_cast<JobState>(state), !gone});
    sent_.queue_gone = gone;
  }
  SentJobs JobsAfterRun() override { return sent_; }
  QString PrinterName() const override { return QStringLiteral("PDF"); }
  SentJobs sent_;
};

// Records how many notices had been given when the run said it was finished.
class FinishWatch : public PrintRunMonitor {
 public:
  explicit FinishWatch(const ScriptedPrompter& prompter) : prompter_(prompter) {}
  bool BeforePage(int, int, int) override { return true; }
  void Finished() override { notices_at_finish.append(prompter_.Notices().size()); }
  QList<qsizetype> notices_at_finish;

 private:
  const ScriptedPrompter& prompter_;
};

}  // namespace

class TstPrintRun : public QObject {
  Q_OBJECT

  std::unique_ptr<AlbumFixture> f_;
  QString path_;
  QList<int> write_backs_;  // the page shown at each write-back

  Album& album() { return *f_->album; }
  AlbumCommands& commands() { return *f_->commands; }
  void OpenPages(int n, int current) {
    path_ = f_->Open(QStringLiteral("a.apt"), Pages(n));
    album().SetCurrentPage(current);
    connect(f_->album.get(), &Album::PageWrittenBack, this,
            [this] { write_backs_.append(album().CurrentPage()); });
  }

 private slots:
  void init() {
    f_ = std::make_unique<AlbumFixture>();
    write_backs_.clear();
  }
  void cleanup() { f_.reset(); }

  void OnePageRunKeepsTheShownPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("write_backs");
    QTest::newRow("passes through the next and returns") << 3 << QList<int>{3, 4};
    QTest::newRow("last page writes nothing") << 5 << QList<int>{};
  }
  void OnePageRunKeepsTheShownPage() {
    QFETCH(int, page);
    QFETCH(QList<int>, write_backs);
    OpenPages(5, page);
    const QByteArray before = ReadBytes(path_);
    Edit(album(), [](PageContent& p) { p.lines[5].text = QStringLiteral("未保存"); });
    RecordingPrintSurface s;
    const PrintRunResult r = PrintPageRun(album(), {page, page, false}, s);
    QCOMPARE(r.printed, QList<int>({page}));
    QCOMPARE(s.Pages(), 1);
    QCOMPARE(write_backs_, write_backs);
    QCOMPARE(album().CurrentPage(), page);
    QCOMPARE(album().Page().lines[5].text, QStringLiteral("未保存"));
    QCOMPARE(album().Page().lines[0].text, QStringLiteral("p%1").arg(page));
    if (write_backs.isEmpty()) {
      QCOMPARE(ReadBytes(path_), before);
    } else {
      QVERIFY(ReadAlbum(path_)[page].contains(QStringLiteral("未保存")));
    }
  }

  void Runs_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("every_second");
    QTest::addColumn<QList<int>>("printed");
    QTest::addColumn<int>("ends_on");
    QTest::newRow("odd pages of 5") << 3 << 1 << 5 << true << QList<int>{1, 3, 5} << 5;
    QTest::newRow("even pages of 5") << 3 << 2 << 5 << true << QList<int>{2, 4} << 5;
    QTest::newRow("range 3 to 4 returns to 3") << 1 << 3 << 4 << false << QList<int>{3, 4} << 3;
    QTest::newRow("start after end") << 1 << 4 << 2 << false << QList<int>{} << 4;
    QTest::newRow("end beyond the count prints the last page once")
        << 1 << 4 << 9 << false << QList<int>{4, 5} << 4;
    QTest::newRow("start beyond the count") << 2 << 7 << 9 << false << QList<int>{} << 2;
    QTest::newRow("start 0") << 2 << 0 << 5 << false << QList<int>{} << 2;
  }
  void Runs() {
    QFETCH(int, current);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(bool, every_second);
    QFETCH(QList<int>, printed);
    QFETCH(int, ends_on);
    OpenPages(5, current);
    RecordingPrintSurface s;
    const PrintRunResult r = PrintPageRun(album(), {start, end, every_second}, s);
    QCOMPARE(r.printed, printed);
    QCOMPARE(s.Pages(), printed.size());
    QCOMPARE(album().CurrentPage(), ends_on);
    // The page the editor ends on shows its own content.
    QCOMPARE(album().Page().lines[0].text, QStringLiteral("p%1").arg(ends_on));
    QCOMPARE(PagesToPrint({start, end, every_second}, 5), printed.size());
  }

  void EachPagePrintsItsOwnContent() {
    OpenPages(4, 1);
    Edit(album(), [](PageContent& p) { p.guide_lines = 1; });  // only this page
    RecordingPrintSurface s;
    PrintPageRun(album(), {1, 4, false}, s);
    QStringList texts;
    for (const auto& e : s.Texts()) texts.append(e.text);
    QCOMPARE(texts, QStringList({"No.", "No.", "No.", "p1"}));
  }

  // Every page prints its slot texts in the fontinfo.ini font, as the shown page does; the
  // records of the pages passed keep their stored font.
  void EveryPagePrintsInTheFontinfoFont_data() {
    QTest::addColumn<RunPageMoves>("moves");
    QTest::newRow("editor") << RunPageMoves::kWriteBack;
    QTest::newRow("private copy") << RunPageMoves::kWithoutWriteBack;
  }
  void EveryPagePrintsInTheFontinfoFont() {
    QFETCH(RunPageMoves, moves);
    QStringList records = {QStringLiteral("ζζζζ")}, expected;
    for (int n = 1; n <= 2; ++n) {
      PageContent page;
      page.guide_lines = 1;
      for (int j = 0; j < 3; ++j) {
        page.lines[j].text = QStringLiteral("p%1-%2").arg(n).arg(j);
        page.lines[j].style.size = 20;
        expected << QStringLiteral("p%1-%2 %3").arg(n).arg(j).arg(QList<int>{13, 11, 12}[j]);
      }
      records.append(SerializePage(page));
    }
    path_ = f_->Open(QStringLiteral("a.apt"), records);
    WriteTextLines(f_->folder.Program().FontInfoIni(), {"ＭＳ 明朝", "12"});
    album().ApplySettingsFiles();  // what the window becoming active does to the shown page
    RecordingPrintSurface s;
    PrintPageRun(album(), {1, 2, false}, s, nullptr, moves);
    QStringList printed;
    for (const auto& e : s.Texts()) {
      if (e.state.font.name == QStringLiteral("ＭＳ 明朝"))
        printed << e.text + QStringLiteral(" %1").arg(e.state.font.size);
    }
    QCOMPARE(printed, expected);
    PageContent second;
    DecodePageRecord(ReadAlbum(path_)[2], second);
    QCOMPARE(second.lines[2].style.size, 20.0);
  }

  void CancellingEndsWhereTheRunWouldHaveEnded() {
    OpenPages(5, 1);
    RecordingPrintSurface s;
    CancelAt monitor(2);
    const PrintRunResult r = PrintPageRun(album(), {1, 5, false}, s, &monitor);
    QVERIFY(r.cancelled);
    QCOMPARE(r.printed, QList<int>({1, 2}));
    QCOMPARE(album().CurrentPage(), 1);
    QCOMPARE(album().Page().lines[0].text, QStringLiteral("p1"));
  }

  void AFailedPageStopsTheRunAndNamesThePagesNotPrinted_data() {
    QTest::addColumn<PrintRequest>("request");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<bool>("separate_jobs");
    QTest::addColumn<QList<int>>("printed");
    QTest::addColumn<QString>("not_printed");  // the notice's second line
    const PrintRequest all{1, 5, false};
    QTest::newRow("first page refused") << all << 0 << true << QList<int>{}
                                        << QStringLiteral("ページ 1～5 は印刷されませんでした。");
    QTest::newRow("queue gone at page 3") << all << 2 << true << QList<int>{1, 2}
                                          << QStringLiteral("ページ 3～5 は印刷されませんでした。");
    QTest::newRow("two left") << all << 3 << true << QList<int>{1, 2, 3}
                              << QStringLiteral("ページ 4, 5 は印刷されませんでした。");
    QTest::newRow("last page") << all << 4 << true << QList<int>{1, 2, 3, 4}
                               << QStringLiteral("ページ 5 は印刷されませんでした。");
    QTest::newRow("odd pages")
        << PrintRequest{1, 9, true} << 1 << true << QList<int>{1}
        << QStringLiteral("ページ 3～9 の奇数ページ（4 ページ）は印刷されませんでした。");
    QTest::newRow("even pages, end beyond the count")
        << PrintRequest{2, 12, true} << 0 << true << QList<int>{}
        << QStringLiteral("ページ 2, 4 は印刷されませんでした。");
    // One document (a PDF file) is lost whole; there are no pages to name.
    QTest::newRow("one document") << all << 2 << false << QList<int>{1, 2} << QString();
  }
  void AFailedPageStopsTheRunAndNamesThePagesNotPrinted() {
    QFETCH(PrintRequest, request);
    QFETCH(int, accepted);
    QFETCH(bool, separate_jobs);
    QFETCH(QList<int>, printed);
    QFETCH(QString, not_printed);
    OpenPages(request.every_second && request.start == 1 ? 9 : 5, 1);
    RefusingSurface s(accepted, separate_jobs);
    FinishWatch monitor(f_->prompter);
    const PrintRunResult r = PrintPageRun(album(), request, s, &monitor);
    QVERIFY(r.failed);
    QCOMPARE(r.printed, printed);
    QCOMPARE(s.Pages(), accepted + 1);  // nothing after the refused page
    QString notice = QStringLiteral("プリンタがありません");
    if (!not_printed.isEmpty()) notice += QLatin1Char('\n') + not_printed;
    QCOMPARE(f_->prompter.Notices(), QStringList{notice});
    QCOMPARE(f_->prompter.asked.back().title, QStringLiteral("印刷"));
    // The progress window is gone before the notice shows.
    QCOMPARE(monitor.notices_at_finish, QList<qsizetype>{0});
  }

  // Jobs the queue took can still be dropped: a cancelled job never prints, a queue deleted
  // mid-run takes its jobs with it (done or not). Jobs still waiting print later.
  void PagesTheQueueDroppedAreReported_data() {
    QTest::addColumn<int>("accepted");
    QTest::addColumn<QList<int>>("states");  // JobState of the accepted pages' jobs
    QTest::addColumn<bool>("queue_gone");    // and so the jobs no longer listed
    QTest::addColumn<QList<int>>("printed");
    QTest::addColumn<QString>("notice");
    const int c = 9, pending = 3, cancelled = 7, aborted = 8;
    const QString unsure = "は、印刷されたかどうか分かりません。プリンタの出力を確かめてください。";
    QTest::newRow("waiting and printing") << 5 << QList<int>{c, 5, pending, pending, 4} << false
                                          << QList<int>{1, 2, 3, 4, 5} << QString();
    QTest::newRow("queue deleted mid-run")
        << 3 << QList<int>{c, 5, pending} << true << QList<int>{1}
        << "プリンタがありません\nページ 4, 5 は印刷されませんでした。\nページ 2, 3 " + unsure;
    QTest::newRow("queue deleted after the run")
        << 5 << QList<int>{c, c, 0, pending, pending} << true << QList<int>{1, 2}
        << DroppedJobsText("PDF", true) + "\nページ 3～5 " + unsure;
    QTest::newRow("cancelled here and there")
        << 5 << QList<int>{cancelled, c, aborted, cancelled, cancelled} << false << QList<int>{2}
        << DroppedJobsText("PDF", false) + "\nページ 1, 3～5 は印刷されませんでした。";
  }
  void PagesTheQueueDroppedAreReported() {
    QFETCH(int, accepted);
    QFETCH(QList<int>, states);
    QFETCH(bool, queue_gone);
    QFETCH(QList<int>, printed);
    QFETCH(QString, notice);
    OpenPages(5, 1);
    QueueSurface s(accepted, states, queue_gone);
    const PrintRunResult r = PrintPageRun(album(), {1, 5, false}, s);
    QCOMPARE(r.printed, printed);
    QCOMPARE(r.not_printed.size() + printed.size(), 5);
    QCOMPARE(f_->prompter.Notices(), notice.isEmpty() ? QStringList() : QStringList{notice});
  }

  // A printer chosen in the set-up that is gone gives way to the default one, or to any there is.
  void AVanishedPrinterFallsBackToTheDefault_data() {
    QTest::addColumn<QString>("default_printer");
    QTest::addColumn<QString>("used");
    QTest::newRow("to the default") << "Epson"
                                    << "Epson";
    QTest::newRow("no default") << QString() << "PDF";
  }
  void AVanishedPrinterFallsBackToTheDefault() {
    QFETCH(QString, default_printer);
    QFETCH(QString, used);
    const PrinterChoice choice = ChoosePrinter("Canon", {"PDF", "Epson"}, default_printer);
    QCOMPARE(choice.name, used);
    QCOMPARE(choice.notice,
             "「プリンタの設定」で選んだプリンタ「Canon」が見つかりません。"
             "プリンタ「" +
                 used + "」で印刷します。");
    QCOMPARE(ChoosePrinter("Canon", {"Canon"}, "PDF").notice, QString());
    QVERIFY(ChoosePrinter("Canon", {}, {}).name.isEmpty());
  }

  // The cover name holds "ζ", which the album file cannot take: no page can be written back.
  void APageThatCannotBeWrittenBackStopsOnlyARunThatWritesBack_data() {
    QTest::addColumn<RunPageMoves>("moves");
    QTest::addColumn<QList<int>>("printed");
    QTest::addColumn<QList<int>>("not_printed");
    QTest::newRow("editor: stops and names the rest")
        << RunPageMoves::kWriteBack << QList<int>{1} << QList<int>{2, 3, 4, 5};
    QTest::newRow("private copy: every page")
        << RunPageMoves::kWithoutWriteBack << QList<int>{1, 2, 3, 4, 5} << QList<int>{};
  }
  void APageThatCannotBeWrittenBackStopsOnlyARunThatWritesBack() {
    QFETCH(RunPageMoves, moves);
    QFETCH(QList<int>, printed);
    QFETCH(QList<int>, not_printed);
    path_ = f_->Open(QStringLiteral("a.apt"), Pages(5));
    const QByteArray before = ReadBytes(path_);
    commands().SetCoverField(0, QStringLiteral("旅ζ行"));
    RecordingPrintSurface s;
    const PrintRunResult r = PrintPageRun(album(), {1, 5, false}, s, nullptr, moves);
    QCOMPARE(r.printed, printed);
    QCOMPARE(r.not_printed, not_printed);
    QCOMPARE(s.Pages(), printed.size());
    if (moves == RunPageMoves::kWithoutWriteBack) QCOMPARE(ReadBytes(path_), before);
  }

  void JobsAreNamedAfterTheAlbumAndPage_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("jobs");
    QTest::newRow("cover name") << QStringLiteral("現場写真帳")
                                << QStringList{"現場写真帳 p.2", "現場写真帳 p.3"};
    QTest::newRow("no cover name: the file's")
        << QStringLiteral(" ") << QStringList{"a p.2", "a p.3"};
  }
  void JobsAreNamedAfterTheAlbumAndPage() {
    QFETCH(QString, name);
    QFETCH(QStringList, jobs);
    OpenPages(3, 1);
    commands().SetCoverField(0, name);
    RecordingPrintSurface s;
    PrintPageRun(album(), {2, 3, false}, s);
    QStringList named;
    for (const auto& e : s.Of(RecordingPrintSurface::Kind::kSetUp)) named.append(e.text);
    QCOMPARE(named, jobs);
  }
};

QTEST_MAIN(TstPrintRun)
#include "tst_print_run.moc"
