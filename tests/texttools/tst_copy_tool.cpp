#include <QtTest>

#include "album/page_record.h"
#include "support/test_folder.h"
#include "texttools/copy_tool.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// Page p's line i reads "p<p>-<i>".
QString PageText(int p, int i) { return QStringLiteral("p%1-%2").arg(p).arg(i); }

QStringList AlbumRecords(int pages) {
  QStringList records{SerializeHeader({QStringLiteral("現場"), {}, {}})};
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

QStringList StoredTexts(const QString& path, int p) {
  PageContent page;
  DecodePageRecord(ReadAlbum(path).value(p), page);
  return Texts(page);
}

const QStringList kPanel = {"№", "一", "二", "三", "四", "五", "六", "七", "八"};

// Page p's texts after lines `lines` of slot `slot` took the panel's.
QStringList Expected(int p, const QList<int>& slot_list, const QList<int>& lines) {
  QStringList texts;
  for (int i = 0; i < kSlotTextLines; ++i) texts << PageText(p, i);
  for (int s : slot_list) {
    for (int k : lines) texts[9 * s + k] = kPanel[k];
  }
  return texts;
}

const QList<int> kAllLines = {1, 2, 3, 4, 5, 6, 7, 8};

}  // namespace

class TstCopyTool : public QObject {
  Q_OBJECT
 private slots:
  void ArrowsAndModes() {
    CopyToolState tool;
    QCOMPARE(tool.ChosenLine(), 1);
    tool.MoveUp();
    QCOMPARE(tool.ChosenLine(), 1);
    for (int i = 0; i < 10; ++i) tool.MoveDown();
    QCOMPARE(tool.ChosenLine(), 8);
    tool.MoveUp();
    QCOMPARE(tool.LinesToCopy(), std::optional<int>(7));
    const QColor yellow(255, 255, 0), white(255, 255, 255);
    for (int j = 0; j < 9; ++j) QCOMPARE(tool.LineColor(j), j == 7 ? yellow : white);
    QVERIFY(tool.ArrowsEnabled());
    tool.SetMode(CopyMode::kItem);
    QCOMPARE(tool.LinesToCopy(), std::nullopt);
    QVERIFY(!tool.ArrowsEnabled());
    for (int j = 0; j < 9; ++j) QCOMPARE(tool.LineColor(j), j == 0 ? white : yellow);
    tool.SetMode(CopyMode::kWord);
    QCOMPARE(tool.ChosenLine(), 7);
  }

  // Copies on page `shown` of a 3-page album with slot `slot` selected: into the shown page
  // (all three slots) or into every page (the selected slot only).
  void Copies_data() {
    QTest::addColumn<bool>("every_page");
    QTest::addColumn<int>("line");  // 0: all eight lines
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("slot");
    QTest::newRow("shown page, line 3") << false << 3 << 2 << 1;
    QTest::newRow("shown page, all lines") << false << 0 << 1 << 2;
    QTest::newRow("every page, line 3, 中") << true << 3 << 2 << 1;
    QTest::newRow("every page, all lines, 下, from the last page") << true << 0 << 3 << 2;
    QTest::newRow("every page, line 8, 上, from page 1") << true << 8 << 1 << 0;
  }
  void Copies() {
    QFETCH(bool, every_page);
    QFETCH(int, line);
    QFETCH(int, shown);
    QFETCH(int, slot);
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    Album& album = *f.album;
    EditorController& editor = *f.editor;
    album.JumpToPage(shown);
    editor.SelectSlot(slot);
    for (int j = 0; j < kLinesPerSlot; ++j) editor.SetPanelLine(j, kPanel[j]);
    // What the panel typed into the selected slot of the shown page.
    QStringList shown_texts = Texts(album.Page());
    const QList<int> lines = line == 0 ? kAllLines : QList<int>{line};
    const std::optional<int> which = line == 0 ? std::nullopt : std::optional<int>(line);
    QList<int> shown_log;
    connect(&album, &Album::PageWrittenBack, &album, [&] { shown_log << album.CurrentPage(); });

    if (!every_page) {
      QVERIFY(CopyLinesToShownPage(editor, which));
      // The page typed into was written back first, the copies wait for the next write-back.
      QCOMPARE(shown_log, QList<int>{shown});
      QCOMPARE(StoredTexts(path, shown), shown_texts);
      for (int s = 0; s < 3; ++s) {
        for (int k : lines) shown_texts[9 * s + k] = kPanel[k];
      }
      QCOMPARE(Texts(album.Page()), shown_texts);
      QCOMPARE(album.CurrentPage(), shown);
      return;
    }

    const QByteArray before = ReadBytes(path);
    QList<int> progress;
    QVERIFY(CopyLinesToEveryPage(editor, which, [&](int done, int total) {
      QCOMPARE(total, 3);
      progress << done;
      QCOMPARE(ReadBytes(path), before);  // one rewrite, at the end
    }));
    QCOMPARE(progress, QList<int>({1, 2, 3}));
    QCOMPARE(album.CurrentPage(), shown);
    for (int p = 1; p <= 3; ++p) {
      QStringList expected = Expected(p, {slot}, lines);
      // The shown page's selected slot also holds what was typed into the panel.
      if (p == shown) {
        for (int j = 0; j < 9; ++j) expected[9 * slot + j] = kPanel[j];
      }
      QCOMPARE(StoredTexts(path, p), expected);
    }
    QCOMPARE(Texts(album.Page()), StoredTexts(path, shown));
    // Written back: the page shown, again by the move to page 1 unless it is page 1, each page
    // as it is left, and the last page.
    QList<int> order{shown};
    if (shown != 1) order << shown;
    QCOMPARE(shown_log, order << 1 << 2 << 3);
    QCOMPARE(editor.SelectedSlot(), 0);
    QCOMPARE(editor.PanelLines()[1], Texts(album.Page())[1]);
  }

  // The batched copy leaves the file as the same moves page by page leave it.
  void EveryPageMatchesPageByPage() {
    AlbumFixture batched, reference;
    const QString batched_path = batched.Open(QStringLiteral("a.apt"), AlbumRecords(4));
    const QString reference_path = reference.Open(QStringLiteral("b.apt"), AlbumRecords(4));
    for (AlbumFixture* f : {&batched, &reference}) {
      f->album->JumpToPage(3);
      f->editor->SelectSlot(1);
      f->editor->SetPanelLine(4, QStringLiteral("写真"));
    }
    QVERIFY(CopyLinesToEveryPage(*batched.editor, 4));
    Album& album = *reference.album;
    album.SaveCurrentPage();
    album.FirstPage();
    for (int done = 1;; ++done) {
      reference.commands->ChangeShownPage(
          QStringLiteral("コピー"),
          [](PageContent& p, PageDecor&) { p.Line(1, 4).text = "写真"; });
      if (done == album.PageCount()) break;
      album.NextPage();
    }
    album.SaveCurrentPage();
    album.SetCurrentPage(3);
    QCOMPARE(ReadBytes(batched_path), ReadBytes(reference_path));
    QVERIFY(batched.album->Page() == reference.album->Page());
  }

  void WithoutPagesNothingChanges() {
    AlbumFixture f;
    f.editor->SetPanelLine(1, QStringLiteral("x"));
    const PageContent before = f.album->Page();
    QVERIFY(!CopyLinesToShownPage(*f.editor, 1));
    QVERIFY(!CopyLinesToEveryPage(*f.editor, std::nullopt));
    QVERIFY(f.album->Page() == before);
  }

  // A page that cannot be written back ends the copy with one message, the file untouched.
  void RefusedWriteBackEndsTheCopy() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), AlbumRecords(3));
    const QByteArray before = ReadBytes(path);
    f.commands->SetCoverField(0, QStringLiteral("現ζ場"));
    f.editor->SetPanelLine(2, QStringLiteral("y"));
    QVERIFY(!CopyLinesToEveryPage(*f.editor, 2));
    QCOMPARE(f.prompter.Notices().size(), 1);
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(f.album->CurrentPage(), 1);
  }
};

QTEST_GUILESS_MAIN(TstCopyTool)
#include "tst_copy_tool.moc"
