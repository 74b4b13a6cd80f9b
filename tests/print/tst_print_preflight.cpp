#include <QtTest>

#include "album/page_record.h"
#include "print/print_preflight.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

const QString kLong = QString(40, QChar(u'あ'));

class TstPrintPreflight : public QObject {
  Q_OBJECT

  std::unique_ptr<AlbumFixture> f_;
  QString path_;
  QString gone_;

 private slots:
  // 1: clean; 2: texts, 補助線 off; 3: only blanks, 補助線 off; 4: a long middle line;
  // 5: 補助線 off, a long top line and a missing middle photo.
  void init() {
    f_ = std::make_unique<AlbumFixture>();
    gone_ = f_->folder.File(QStringLiteral("moved/gone.jpg"));
    QStringList records = {SerializeHeader({})};
    for (int n = 1; n <= 5; ++n) {
      PageContent page;
      page.guide_lines = n == 1 || n == 4 ? 1 : 0;
      page.lines[1].text = n == 3 ? QStringLiteral("　 ") : QStringLiteral("外壁");
      if (n == 4) page.Line(1, 3).text = kLong;
      if (n == 5) page.lines[2].text = kLong;
      if (n == 5) page.Photo(2).path = gone_;
      records << SerializePage(page);
    }
    path_ = f_->Open(QStringLiteral("a.apt"), records);
  }
  void cleanup() { f_.reset(); }

  void FindsWhatPrintsOtherThanShown_data() {
    QTest::addColumn<PrintRequest>("request");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("typed");  // on the shown page, not yet written back
    QTest::addColumn<QList<int>>("without_rules");
    QTest::addColumn<QStringList>("cut");      // page-slot-line
    QTest::addColumn<QStringList>("missing");  // page-slot
    QTest::newRow("all") << PrintRequest{1, 5, false} << 1 << QString() << QList<int>{2, 5}
                         << QStringList{"4-1-3", "5-0-2"} << QStringList{"5-2"};
    QTest::newRow("odd pages, end beyond the album")
        << PrintRequest{3, 9, true} << 1 << QString() << QList<int>{5} << QStringList{"5-0-2"}
        << QStringList{"5-2"};
    QTest::newRow("the shown page as typed")
        << PrintRequest{3, 3, false} << 3 << kLong << QList<int>{3} << QStringList{"3-0-4"}
        << QStringList{};
  }
  void FindsWhatPrintsOtherThanShown() {
    QFETCH(PrintRequest, request);
    QFETCH(int, shown);
    QFETCH(QString, typed);
    f_->album->SetCurrentPage(shown);
    if (!typed.isEmpty()) Edit(*f_->album, [&](PageContent& p) { p.lines[4].text = typed; });
    const QByteArray bytes = ReadBytes(path_);
    const PrintPreflight found = PreflightRun(*f_->album, request);
    QStringList cut, missing;
    for (const CutLine& c : found.cut_lines)
      cut << QStringLiteral("%1-%2-%3").arg(c.page).arg(c.slot).arg(c.line);
    for (const MissingPhoto& m : found.missing_photos)
      missing << QStringLiteral("%1-%2").arg(m.page).arg(m.slot);
    QTEST(found.texts_without_rules, "without_rules");
    QTEST(cut, "cut");
    QTEST(missing, "missing");
    QCOMPARE(f_->album->CurrentPage(), shown);  // no page moves, nothing written
    QCOMPARE(ReadBytes(path_), bytes);
  }

  void QuestionsBeforeARun_data() {
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<bool>("prints");
    QTest::addColumn<QString>("cut");  // the second question's second line
    QTest::newRow("tick on and print")
        << QList<int>{0, 0, 0} << true << QStringLiteral("ページ 4（1 行）、ページ 5（1 行）");
    QTest::newRow("print as stored")
        << QList<int>{1, 0, 0} << true << QStringLiteral("ページ 4（1 行）");
    QTest::newRow("cancel after choosing to tick")
        << QList<int>{0, 0, 1} << false << QStringLiteral("ページ 4（1 行）、ページ 5（1 行）");
  }
  void QuestionsBeforeARun() {
    QFETCH(QList<int>, choices);
    QFETCH(bool, prints);
    QFETCH(QString, cut);
    f_->album->SetCurrentPage(3);
    f_->commands->SetModified(false);
    const QByteArray bytes = ReadBytes(path_);
    f_->prompter.choices.assign(choices.begin(), choices.end());
    QCOMPARE(ConfirmPrintRun(*f_->commands, {1, 5, false}, QStringLiteral("印刷")), prints);
    QStringList asked;
    for (const auto& a : f_->prompter.asked)
      asked << a.text + QLatin1Char('|') + a.buttons.join(u'/');
    QCOMPARE(
        asked,
        QStringList(
            {"ページ 2, 5 は補助線がオフのため、写真の番号と説明文が印刷されません。\n"
             "番号と説明文は補助線がオンのページにだけ印刷されます。|"
             "補助線をオンにして印刷/そのまま印刷/キャンセル",
             QStringLiteral("説明文 %1 行が印刷欄の幅（35 mm）に収まらないため、途中までしか印刷"
                            "されません。\n%2\n説明文の入力欄では、切れる行に色が付きます。|"
                            "そのまま印刷/キャンセル")
                 .arg(cut.count(u'行'))
                 .arg(cut),
             QStringLiteral("写真のファイルが 1 枚見つかりません。これらの写真は印刷されません。\n"
                            "ページ 5 中: %1|そのまま印刷/キャンセル")
                 .arg(gone_)}));
    // Ticking on changes the album only once every question is answered.
    const bool ticked = choices[0] == 0 && prints;
    QCOMPARE(f_->album->IsModified(), ticked);
    if (!ticked) QCOMPARE(ReadBytes(path_), bytes);
    for (int n = 2; n <= 5 && ticked; ++n) {
      PageContent stored;
      DecodePageRecord(ReadAlbum(path_)[n], stored);
      QCOMPARE(stored.guide_lines, n == 3 ? 0 : 1);  // a page without texts keeps it off
    }
  }
};

QTEST_MAIN(TstPrintPreflight)
#include "tst_print_preflight.moc"
