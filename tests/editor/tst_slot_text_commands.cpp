#include <QtTest>

#include "album/page_record.h"
#include "editor/slot_text_commands.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

using Answer = std::optional<QString>;

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

QStringList Texts(const PageContent& page) {
  QStringList out;
  for (const SlotTextLine& l : page.lines) out << l.text;
  return out;
}
QStringList ShownTexts(const Album& album) { return Texts(album.Page()); }

// The 27 slot texts of page p of the album file.
QStringList StoredTexts(const QString& path, int p) {
  PageContent page;
  DecodePageRecord(ReadAlbum(path).value(p), page);
  return Texts(page);
}

QStringList PanelTexts(const EditorController& editor) {
  return QStringList(editor.PanelLines().begin(), editor.PanelLines().end());
}

const QStringList kPanel = {"7", "一行目", "二行目", {}, {}, {}, {}, {}, "八行目"};
const QStringList kPanelThreeTimes = kPanel + kPanel + kPanel;

void FillPanel(EditorController& editor) {
  for (int j = 0; j < kLinesPerSlot; ++j) editor.SetPanelLine(j, kPanel[j]);
}

// The album-wide commands as the page moves run them page by page, each write-back rewriting
// the file: the reference the batched commands must match byte for byte.
void PastePageByPage(EditorController& editor) {
  Album& album = editor.Doc();
  const int remembered = album.CurrentPage();
  const auto lines = editor.PanelLines();
  album.FirstPage();
  for (int done = 0; done < album.PageCount(); ++done) {
    editor.Commands().ChangeShownPage(
        QStringLiteral("貼付"),
        [&](PageContent& p, PageDecor&) {
          for (int i = 0; i < kSlotTextLines; ++i) p.lines[i].text = lines[i % 9];
        });
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
    Edit(album,
         [&](PageContent& p) { p.Line(0, 0).text = done == 1 ? answer : QString::number(n); });
    Edit(album, [&](PageContent& p) { p.Line(1, 0).text = QString::number(n + 1); });
    Edit(album, [&](PageContent& p) { p.Line(2, 0).text = QString::number(n + 2); });
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
  // Every page change shows the 上 slot in the panel, whichever slot was selected.
  void PageChangesSelectTheTopSlot_data() {
    QTest::addColumn<QString>("change");
    for (const char* change :
         {"next", "previous", "first", "last", "jump", "append", "insert", "delete"})
      QTest::newRow(change) << QString(change);
  }
  void PageChangesSelectTheTopSlot() {
    QFETCH(QString, change);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    EditorController& editor = *f.editor;
    album.JumpToPage(2);
    editor.SelectSlot(1);
    QCOMPARE(PanelTexts(editor), ShownTexts(album).mid(9, 9));
    f.prompter.yes_no = {true};
    const QHash<QString, std::function<void()>> changes{
        {"next", [&] { album.NextPage(); }},     {"previous", [&] { album.PreviousPage(); }},
        {"first", [&] { album.FirstPage(); }},   {"last", [&] { album.LastPage(); }},
        {"jump", [&] { album.JumpToPage(3); }},  {"append", [&] { f.commands->AppendPage(); }},
        {"insert", [&] { f.commands->InsertPage(); }}, {"delete", [&] { f.commands->AskDeletePage(); }}};
    QVERIFY2(changes.contains(change), qPrintable("unknown change " + change));
    changes[change]();
    QCOMPARE(editor.SelectedSlot(), 0);
    QCOMPARE(PanelTexts(editor), ShownTexts(album).mid(0, 9));
  }

  // Each bulk command answered Yes or No on page 2 of 3, slot 中 selected.
  void BulkCommandsAskAndActOnlyOnYes_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("question");  // text, title
    for (bool yes : {true, false}) {
      const char* answer = yes ? "yes" : "no";
      QTest::addRow("clear %s", answer)
          << "clear" << yes << QStringList{"テキストをクリアしますか？", "クリア"};
      QTest::addRow("page %s", answer)
          << "page" << yes << QStringList{"テキストをページ全体にコピーしますか", "コピー"};
      QTest::addRow("album %s", answer)
          << "album" << yes << QStringList{"テキストをアルバム全体にコピーしますか", "コピー"};
    }
  }
  void BulkCommandsAskAndActOnlyOnYes() {
    QFETCH(QString, command);
    QFETCH(bool, yes);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    EditorController& editor = *f.editor;
    album.NextPage();
    editor.SelectSlot(1);
    FillPanel(editor);
    f.commands->SetModified(false);
    const QByteArray file_before = ReadBytes(path);
    QStringList expected = ShownTexts(album);
    f.prompter.yes_no = {yes};
    bool done = false;
    if (command == u"clear") {
      done = ClearSlotTexts(editor);
    } else if (command == u"page") {
      done = PasteIntoPage(editor);
    } else if (command == u"album") {
      done = PasteIntoAlbum(editor);
    } else {
      QFAIL(qPrintable("unknown command " + command));
    }

    QCOMPARE(done, yes);
    QCOMPARE(f.prompter.asked.size(), size_t{1});
    QCOMPARE(f.prompter.asked[0].kind, QStringLiteral("yesno"));
    QTEST(QStringList({f.prompter.asked[0].text, f.prompter.asked[0].title}), "question");
    QCOMPARE(f.prompter.asked[0].icon, MessageIcon::kQuestion);
    QCOMPARE(album.CurrentPage(), 2);
    if (yes && command == u"clear") {
      for (int j = 0; j < 9; ++j) expected[9 + j].clear();
    } else if (yes) {
      expected = kPanelThreeTimes;  // the number line too
    }
    QCOMPARE(ShownTexts(album), expected);
    if (!yes || command != u"album") {
      // A change of the shown page marks the album modified; the file waits for the next
      // write-back.
      QCOMPARE(album.IsModified(), yes);
      QCOMPARE(ReadBytes(path), file_before);
      return;
    }
    for (int p = 1; p <= 3; ++p) QCOMPARE(StoredTexts(path, p), kPanelThreeTimes);
    QCOMPARE(editor.SelectedSlot(), 0);
    QCOMPARE(PanelTexts(editor), kPanel);
  }

  void SerialNumbering_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("shown");
    QTest::addColumn<Answer>("answer");
    // Line 0 of every slot, page after page; empty: nothing may change.
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("10 on two pages")
        << 2 << 1 << Answer("10") << QStringList{"10", "11", "12", "13", "14", "15"};
    QTest::newRow("leading zeros only first")
        << 2 << 2 << Answer("007") << QStringList{"007", "8", "9", "10", "11", "12"};
    QTest::newRow("one page") << 1 << 1 << Answer("1") << QStringList{"1", "2", "3"};
    QTest::newRow("decimal start")
        << 2 << 1 << Answer("0.5") << QStringList{"0.5", "1.5", "2.5", "3.5", "4.5", "5.5"};
    QTest::newRow("negative and blanks")
        << 2 << 2 << Answer(" -2") << QStringList{" -2", "-1", "0", "1", "2", "3"};
    // An input method's full-width answer: the first slot keeps it as typed.
    QTest::newRow("full-width digits")
        << 2 << 1 << Answer("１０") << QStringList{"１０", "11", "12", "13", "14", "15"};
    QTest::newRow("text") << 2 << 2 << Answer("abc") << QStringList();
    QTest::newRow("empty") << 2 << 2 << Answer("") << QStringList();
    QTest::newRow("partly numeric") << 2 << 2 << Answer("12番") << QStringList();
    QTest::newRow("cancelled") << 2 << 2 << Answer() << QStringList();
  }
  void SerialNumbering() {
    QFETCH(int, pages);
    QFETCH(int, shown);
    QFETCH(Answer, answer);
    QFETCH(QStringList, numbers);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(pages));
    Album& album = *f.album;
    EditorController& editor = *f.editor;
    album.JumpToPage(shown);
    const QByteArray file_before = ReadBytes(path);
    const QStringList shown_before = ShownTexts(album);
    f.prompter.texts = {answer};
    QCOMPARE(NumberSlotsSerially(editor), !numbers.isEmpty());
    QCOMPARE(f.prompter.asked.at(0).text, QStringLiteral("通し番号の最初の№を入力してください。"));
    QCOMPARE(f.prompter.asked.at(0).title, QStringLiteral("連番"));
    QCOMPARE(f.prompter.asked.at(0).folder, QStringLiteral("1"));  // the default text
    QCOMPARE(album.CurrentPage(), shown);
    if (numbers.isEmpty()) {
      QCOMPARE(ShownTexts(album), shown_before);
      QCOMPARE(ReadBytes(path), file_before);
      return;
    }
    QStringList stored;
    for (int p = 1; p <= pages; ++p) {
      const QStringList texts = StoredTexts(path, p);
      for (int s = 0; s < 3; ++s) {
        stored << texts[9 * s];
        for (int j = 1; j < 9; ++j) QCOMPARE(texts[9 * s + j], PageText(p, 9 * s + j));
      }
    }
    QCOMPARE(stored, numbers);
    QCOMPARE(album.Page().Line(0, 0).text, numbers[3 * (shown - 1)]);
    QCOMPARE(PanelTexts(editor).at(0), numbers[3 * (shown - 1)]);
  }

  void WithoutPagesNothingChanges() {
    AlbumFixture f;
    Album& album = *f.album;
    EditorController& editor = *f.editor;
    FillPanel(editor);
    const PageContent before = album.Page();
    f.prompter.yes_no = {true, true};
    f.prompter.texts = {QStringLiteral("5")};
    QVERIFY(!PasteIntoPage(editor));
    QVERIFY(!PasteIntoAlbum(editor));
    QVERIFY(!NumberSlotsSerially(editor));
    QVERIFY(album.Page() == before);
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
      f->editor->SelectSlot(1);
      FillPanel(*f->editor);
    }
    std::pair<int, int> progress;
    const auto step = [&](int done, int total) { progress = {done, total}; };
    if (command == u"paste") {
      batched.prompter.yes_no = {true};
      QVERIFY(PasteIntoAlbum(*batched.editor, step));
      PastePageByPage(*reference.editor);
    } else if (command == u"number") {
      batched.prompter.texts = {QStringLiteral("5")};
      QVERIFY(NumberSlotsSerially(*batched.editor, step));
      NumberPageByPage(*reference.album, QStringLiteral("5"));
    } else {
      QFAIL(qPrintable("unknown command " + command));
    }
    QCOMPARE(progress, std::pair(4, 4));
    QCOMPARE(ReadBytes(batched_path), ReadBytes(reference_path));
    QCOMPARE(batched.album->CurrentPage(), reference.album->CurrentPage());
    QVERIFY(batched.album->Page() == reference.album->Page());
    batched.album->SaveCurrentPage();
    reference.album->SaveCurrentPage();
    QCOMPARE(ReadBytes(batched_path), ReadBytes(reference_path));
  }

  void RefusedWriteBackEndsTheAlbumWideCommandOnce() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    EditorController& editor = *f.editor;
    album.NextPage();
    const QByteArray before = ReadBytes(path);
    f.commands->SetCoverField(0, QStringLiteral("旅ζ行"));  // cannot be stored: every write-back fails
    FillPanel(editor);
    f.prompter.yes_no = {true};
    QVERIFY(!PasteIntoAlbum(editor));
    f.prompter.texts = {QStringLiteral("1")};
    QVERIFY(!NumberSlotsSerially(editor));
    QCOMPARE(f.prompter.Notices().size(), 2);  // one per command, not one per page
    QCOMPARE(album.CurrentPage(), 2);
    QCOMPARE(ReadBytes(path), before);
  }
};

QTEST_GUILESS_MAIN(TstSlotTextCommands)
#include "tst_slot_text_commands.moc"
