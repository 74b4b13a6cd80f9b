#include <QtTest>

#include "album/page_record.h"
#include "editor/slot_text_commands.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// Page p's line i reads "p<p>-<i>".
QString PageText(int p, int i) { return QStringLiteral("p%1-%2").arg(p).arg(i); }

QStringList AlbumRecords(int pages) {
  QStringList records{SerializeHeader({QStringLiteral("旅行"), {}, {}})};
  for (int p = 1; p <= pages; ++p) {
    QStringList texts;
    for (int i = 0; i < kSlotTextLines; ++i) texts << PageText(p, i);
    records << PageWithTexts(texts);
  }
  return records;
}

// The 27 slot texts of page p of the album file.
QStringList StoredTexts(const QString& path, int p) {
  PageContent page;
  DecodePageRecord(ReadAlbum(path).value(p), page);
  QStringList out;
  for (const SlotTextLine& l : page.lines) out << l.text;
  return out;
}

QStringList ShownTexts(const Album& album) {
  QStringList out;
  for (const SlotTextLine& l : album.page.lines) out << l.text;
  return out;
}

const QStringList kPanel = {
    QStringLiteral("7"),     QStringLiteral("一行目"), QStringLiteral("二行目"), {}, {}, {}, {}, {},
    QStringLiteral("八行目")};

void FillPanel(Album& album) {
  for (int j = 0; j < kLinesPerSlot; ++j) album.SetPanelLine(j, kPanel[j]);
}

QStringList PanelTexts(const Album& album) {
  return QStringList(album.PanelLines().begin(), album.PanelLines().end());
}

QStringList ThreeTimes(const QStringList& lines) { return lines + lines + lines; }

// The album-wide commands as the page moves run them page by page, each write-back rewriting
// the file: the reference the batched commands must match byte for byte.
void PastePageByPage(Album& album) {
  const int remembered = album.CurrentPage();
  const auto lines = album.PanelLines();
  album.FirstPage();
  for (int done = 0; done < album.PageCount(); ++done) {
    for (int i = 0; i < kSlotTextLines; ++i) album.page.lines[i].text = lines[i % 9];
    album.NextPage();
  }
  if (album.CurrentPage() != remembered) {
    album.SaveCurrentPage();
    album.ClearPage();
    album.SetCurrentPage(remembered);
  }
}

void NumberPageByPage(Album& album, const QString& answer) {
  const int remembered = album.CurrentPage();
  album.FirstPage();
  double n = answer.toDouble();
  for (int done = 1;; ++done) {
    album.page.Line(0, 0).text = done == 1 ? answer : QString::number(n);
    album.page.Line(1, 0).text = QString::number(n + 1);
    album.page.Line(2, 0).text = QString::number(n + 2);
    n += 3;
    if (done == album.PageCount()) break;
    album.NextPage();
  }
  album.SaveCurrentPage();
  album.SetCurrentPage(remembered);
}

}  // namespace

class TstSlotTextCommands : public QObject {
  Q_OBJECT
 private slots:
  void SlotSelectionShowsTheSlotAndResetsOnPageChange() {
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), AlbumRecords(2));
    Album& album = *f.album;
    album.page.Line(1, 4).text.clear();
    album.SelectSlot(1);
    QCOMPARE(album.SelectedSlot(), 1);
    QCOMPARE(PanelTexts(album), ShownTexts(album).mid(9, 9));
    album.NextPage();
    QCOMPARE(album.SelectedSlot(), 0);
    QCOMPARE(PanelTexts(album), ShownTexts(album).mid(0, 9));
    album.PreviousPage();
    QCOMPARE(album.SelectedSlot(), 0);
    QCOMPARE(PanelTexts(album).at(0), PageText(1, 0));
  }

  // Each bulk command answered Yes or No on page 2 of 3, slot 中 selected.
  void BulkCommandsAskAndActOnlyOnYes_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("title");
    for (bool yes : {true, false}) {
      const char* answer = yes ? "yes" : "no";
      QTest::addRow("clear %s", answer) << "clear" << yes << "テキストをクリアしますか？"
                                        << "クリア";
      QTest::addRow("page %s", answer) << "page" << yes << "テキストをページ全体にコピーしますか"
                                       << "コピー";
      QTest::addRow("album %s", answer)
          << "album" << yes << "テキストをアルバム全体にコピーしますか"
          << "コピー";
    }
  }
  void BulkCommandsAskAndActOnlyOnYes() {
    QFETCH(QString, command);
    QFETCH(bool, yes);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    album.NextPage();
    album.SelectSlot(1);
    FillPanel(album);
    album.modified = false;
    const QByteArray file_before = ReadBytes(path);
    const QStringList shown_before = ShownTexts(album);

    f.prompter.yes_no = {yes};
    bool done = false;
    if (command == u"clear") done = ClearSlotTexts(album);
    if (command == u"page") done = PasteIntoPage(album);
    if (command == u"album") done = PasteIntoAlbum(album);

    QCOMPARE(done, yes);
    QCOMPARE(f.prompter.asked.size(), size_t{1});
    QCOMPARE(f.prompter.asked[0].kind, QStringLiteral("yesno"));
    QTEST(f.prompter.asked[0].text, "question");
    QTEST(f.prompter.asked[0].title, "title");
    QCOMPARE(f.prompter.asked[0].icon, MessageIcon::kQuestion);
    if (!yes) {
      QCOMPARE(ShownTexts(album), shown_before);
      QCOMPARE(ReadBytes(path), file_before);
      QVERIFY(!album.modified);
      return;
    }
    QCOMPARE(album.CurrentPage(), 2);
    if (command == u"clear") {
      QStringList expected = shown_before;
      for (int j = 0; j < 9; ++j) expected[9 + j].clear();
      QCOMPARE(ShownTexts(album), expected);
      QVERIFY(album.modified);
      QCOMPARE(ReadBytes(path), file_before);  // reaches the file with the next write-back
    }
    if (command == u"page") {
      QCOMPARE(ShownTexts(album), ThreeTimes(kPanel));  // the number line too
      QVERIFY(!album.modified);
      QCOMPARE(ReadBytes(path), file_before);
    }
    if (command == u"album") {
      for (int p = 1; p <= 3; ++p) QCOMPARE(StoredTexts(path, p), ThreeTimes(kPanel));
      QCOMPARE(ShownTexts(album), ThreeTimes(kPanel));
      QCOMPARE(album.SelectedSlot(), 0);
      QCOMPARE(PanelTexts(album), kPanel);
    }
  }

  void PasteIntoAlbumFromPageThreeOfFiveShowsPageThreeAgain() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(5));
    Album& album = *f.album;
    album.JumpToPage(3);
    FillPanel(album);
    f.prompter.yes_no = {true};
    int last_done = 0, total = 0;
    QVERIFY(PasteIntoAlbum(album, [&](int d, int t) { last_done = d, total = t; }));
    QCOMPARE(album.CurrentPage(), 3);
    QCOMPARE(std::pair(last_done, total), std::pair(5, 5));
    for (int p = 1; p <= 5; ++p) QCOMPARE(StoredTexts(path, p), ThreeTimes(kPanel));
    QCOMPARE(ReadAlbum(path).at(0), SerializeHeader({QStringLiteral("旅行"), {}, {}}));
  }

  void PasteIntoAlbumEndingOnTheShownLastPageKeepsItOnScreen() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    album.LastPage();
    album.SelectSlot(2);
    FillPanel(album);
    f.prompter.yes_no = {true};
    QVERIFY(PasteIntoAlbum(album));
    QCOMPARE(album.CurrentPage(), 3);
    QCOMPARE(ShownTexts(album), ThreeTimes(kPanel));
    QCOMPARE(StoredTexts(path, 2), ThreeTimes(kPanel));
    QCOMPARE(StoredTexts(path, 3).at(0), PageText(3, 0));  // until the next write-back
    QCOMPARE(PanelTexts(album), kPanel);
    album.SaveCurrentPage();
    QCOMPARE(StoredTexts(path, 3), ThreeTimes(kPanel));
  }

  void SerialNumbering_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("numbers");  // line 0 of every slot, page after page
    QTest::newRow("10 on two pages")
        << 2 << 1 << "10" << QStringList{"10", "11", "12", "13", "14", "15"};
    QTest::newRow("leading zeros only first")
        << 2 << 2 << "007" << QStringList{"007", "8", "9", "10", "11", "12"};
    QTest::newRow("one page") << 1 << 1 << "1" << QStringList{"1", "2", "3"};
    QTest::newRow("decimal start")
        << 2 << 1 << "0.5" << QStringList{"0.5", "1.5", "2.5", "3.5", "4.5", "5.5"};
    QTest::newRow("negative and blanks")
        << 2 << 2 << " -2" << QStringList{" -2", "-1", "0", "1", "2", "3"};
  }
  void SerialNumbering() {
    QFETCH(int, pages);
    QFETCH(int, shown);
    QFETCH(QString, answer);
    QFETCH(QStringList, numbers);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(pages));
    Album& album = *f.album;
    album.JumpToPage(shown);
    f.prompter.texts = {answer};
    QVERIFY(NumberSlotsSerially(album));
    QCOMPARE(f.prompter.asked.at(0).text, QStringLiteral("通し番号の最初の№を入力してください。"));
    QCOMPARE(f.prompter.asked.at(0).title, QStringLiteral("連番"));
    QCOMPARE(f.prompter.asked.at(0).folder, QStringLiteral("1"));  // the default text
    QCOMPARE(album.CurrentPage(), shown);
    QStringList stored;
    for (int p = 1; p <= pages; ++p) {
      const QStringList texts = StoredTexts(path, p);
      for (int s = 0; s < 3; ++s) {
        stored << texts[9 * s];
        for (int j = 1; j < 9; ++j) QCOMPARE(texts[9 * s + j], PageText(p, 9 * s + j));
      }
    }
    QCOMPARE(stored, numbers);
    QCOMPARE(album.page.Line(0, 0).text, numbers[3 * (shown - 1)]);
    QCOMPARE(PanelTexts(album).at(0), numbers[3 * (shown - 1)]);
  }

  void SerialNumberingWithoutANumberChangesNothing_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::newRow("text") << std::optional<QString>(QStringLiteral("abc"));
    QTest::newRow("empty") << std::optional<QString>(QString());
    QTest::newRow("partly numeric") << std::optional<QString>(QStringLiteral("12番"));
    QTest::newRow("cancelled") << std::optional<QString>();
  }
  void SerialNumberingWithoutANumberChangesNothing() {
    QFETCH(std::optional<QString>, answer);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(2));
    Album& album = *f.album;
    album.NextPage();
    const QByteArray before = ReadBytes(path);
    const QStringList shown = ShownTexts(album);
    f.prompter.texts = {answer};
    QVERIFY(!NumberSlotsSerially(album));
    QCOMPARE(album.CurrentPage(), 2);
    QCOMPARE(ShownTexts(album), shown);
    QCOMPARE(ReadBytes(path), before);
  }

  void WithoutPagesNothingChanges() {
    AlbumFixture f;
    Album& album = *f.album;
    FillPanel(album);
    const PageContent before = album.page;
    f.prompter.yes_no = {true, true};
    f.prompter.texts = {QStringLiteral("5")};
    QVERIFY(!PasteIntoPage(album));
    QVERIFY(!PasteIntoAlbum(album));
    QVERIFY(!NumberSlotsSerially(album));
    QVERIFY(album.page == before);
    QCOMPARE(album.CurrentPage(), 0);
  }

  // The batched commands leave the file byte for byte as the page-by-page moves do.
  void BatchedCommandsWriteWhatPageByPageMovesWrite_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("shown");
    QTest::newRow("paste from page 2") << "paste" << 2;
    QTest::newRow("paste from the last page") << "paste" << 4;
    QTest::newRow("numbers from page 3") << "number" << 3;
    QTest::newRow("numbers from page 1") << "number" << 1;
  }
  void BatchedCommandsWriteWhatPageByPageMovesWrite() {
    QFETCH(QString, command);
    QFETCH(int, shown);
    AlbumFixture batched, reference;
    const QStringList records = AlbumRecords(4);
    const QString batched_path = batched.Open(QStringLiteral("a.apt"), records);
    const QString reference_path = reference.Open(QStringLiteral("b.apt"), records);
    for (AlbumFixture* f : {&batched, &reference}) {
      f->album->JumpToPage(shown);
      f->album->SelectSlot(1);
      FillPanel(*f->album);
    }
    if (command == u"paste") {
      batched.prompter.yes_no = {true};
      QVERIFY(PasteIntoAlbum(*batched.album));
      PastePageByPage(*reference.album);
    } else {
      batched.prompter.texts = {QStringLiteral("5")};
      QVERIFY(NumberSlotsSerially(*batched.album));
      NumberPageByPage(*reference.album, QStringLiteral("5"));
    }
    QCOMPARE(ReadBytes(batched_path), ReadBytes(reference_path));
    QCOMPARE(batched.album->CurrentPage(), reference.album->CurrentPage());
    QVERIFY(batched.album->page == reference.album->page);
    batched.album->SaveCurrentPage();
    reference.album->SaveCurrentPage();
    QCOMPARE(ReadBytes(batched_path), ReadBytes(reference_path));
  }

  void RefusedWriteBackEndsTheAlbumWideCommandOnce() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    album.NextPage();
    const QByteArray before = ReadBytes(path);
    album.header.name = QStringLiteral("旅ζ行");  // cannot be stored: every write-back fails
    FillPanel(album);
    f.prompter.yes_no = {true};
    QVERIFY(!PasteIntoAlbum(album));
    f.prompter.texts = {QStringLiteral("1")};
    QVERIFY(!NumberSlotsSerially(album));
    QCOMPARE(f.prompter.Notices().size(), 2);  // one per command, not one per page
    QCOMPARE(album.CurrentPage(), 2);
    QCOMPARE(ReadBytes(path), before);
  }

  void DroppedWordIsAppended_data() {
    QTest::addColumn<QString>("old_text");
    QTest::addColumn<std::optional<QString>>("word");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("refused");
    QTest::newRow("after text") << "北側" << std::optional<QString>(QStringLiteral("配筋状況"))
                                << "北側配筋状況" << false;
    QTest::newRow("empty line") << "" << std::optional<QString>(QStringLiteral("型枠")) << "型枠"
                                << false;
    QTest::newRow("nothing selected") << "北側" << std::optional<QString>() << "北側" << false;
    QTest::newRow("unstorable word")
        << "北側" << std::optional<QString>(QStringLiteral("a\"b")) << "北側" << true;
  }
  void DroppedWordIsAppended() {
    QFETCH(QString, old_text);
    QFETCH(std::optional<QString>, word);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), AlbumRecords(1));
    Album& album = *f.album;
    album.SelectSlot(1);
    album.SetPanelLine(3, old_text);
    DropWord(album, 3, word);
    QTEST(album.PanelLines()[3], "expected");
    QTEST(album.page.Line(1, 3).text, "expected");
    QTEST(!f.prompter.Notices().isEmpty(), "refused");
  }
};

QTEST_GUILESS_MAIN(TstSlotTextCommands)
#include "tst_slot_text_commands.moc"
