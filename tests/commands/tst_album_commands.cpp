#include <QtTest>

#include "album/page_record.h"
#include "commands/album_commands.h"
#include "commands/rearranging.h"
#include "editor/editor_controller.h"
#include "editor/slot_text_commands.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QStringList ThreePages() {
  QStringList records{SerializeHeader({})};
  for (int p = 1; p <= 3; ++p) {
    records << PageWithTexts({QString::number(p), QStringLiteral("ページ%1の説明").arg(p)});
  }
  return records;
}

// What the user can see of the album: every record as a write-back would leave it and the
// page shown.
struct State {
  QList<QByteArray> records;
  int shown = 0;
  bool operator==(const State&) const = default;
};

State Now(Album& album) {
  bool ok = false;
  return {album.RecordsAsShown(&ok), album.CurrentPage()};
}

}  // namespace

class TstAlbumCommands : public QObject {
  Q_OBJECT

 private slots:
  // Every kind of change is one step: undo gives back the album as it was (on the page it was
  // made on), redo the album as it became, and undoing back to the saved state clears the
  // modified flag.
  void UndoAndRedoGiveBackEachState_data() {
    QTest::addColumn<QString>("change");
    for (const char* change : {"typing", "photo", "rules", "clear all", "paste page",
                               "paste album", "numbering", "append", "insert", "delete",
                               "typing on another page", "move pages", "swap photos",
                               "move photo"}) {
      QTest::newRow(change) << QString(change);
    }
  }
  void UndoAndRedoGiveBackEachState() {
    QFETCH(QString, change);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), ThreePages());
    Album& album = *f.album;
    AlbumCommands& commands = *f.commands;
    EditorController& editor = *f.editor;
    // Every page shown once: a page written back takes the layout's photo boxes.
    album.JumpToPage(2);
    commands.SetSlotPhoto(1, QStringLiteral("/kept.jpg"));
    album.JumpToPage(3);
    album.JumpToPage(2);
    album.Save();
    commands.Steps().Clear();
    const State before = Now(album);
    f.prompter.yes_no = {true};
    f.prompter.texts = {QStringLiteral("7")};
    const QHash<QString, std::function<void()>> changes{
        {"typing", [&] { for (QString t : {"a", "ab", "abc"}) editor.SetPanelLine(3, t); }},
        {"photo", [&] { commands.SetSlotPhoto(2, QStringLiteral("/p.jpg")); }},
        {"rules", [&] { commands.SetGuideSwitch(true); }},
        {"clear all", [&] { ClearSlotTexts(editor); }},
        {"paste page", [&] { PasteIntoPage(editor); }},
        {"paste album", [&] { PasteIntoAlbum(editor); }},
        {"numbering", [&] { NumberSlotsSerially(editor); }},
        {"append", [&] { commands.AppendPage(); }},
        {"insert", [&] { commands.InsertPage(); }},
        {"delete", [&] { commands.AskDeletePage(); }},
        {"typing on another page", [&] {
           editor.SetPanelLine(3, QStringLiteral("2ページ目"));
           album.JumpToPage(3);
         }},
        {"move pages", [&] { commands.MovePages({3, 2}, 1); }},
        {"swap photos", [&] { commands.SwapSlotPhotos(1, 3, true); }},
        {"move photo", [&] { commands.MovePhotoToPage(1, 3); }}};
    QVERIFY2(changes.contains(change), qPrintable(change));
    changes[change]();
    const State after = Now(album);
    QVERIFY(after != before);
    QCOMPARE(commands.Steps().Count(), 1);
    QVERIFY(album.IsModified());

    QVERIFY(commands.Undo());
    QCOMPARE(Now(album), before);
    QVERIFY(!album.IsModified());
    QVERIFY(commands.Redo());
    QCOMPARE(Now(album).records, after.records);
    QVERIFY(album.IsModified());
  }

  // Pages moved together keep their order and land before the page named in the old numbering;
  // a move that changes nothing, or names a page twice or out of range, is no move.
  void PageOrderAfterMoveTable_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<int>("before");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("forward") << 5 << QList<int>{4} << 2 << QList<int>{1, 4, 2, 3, 5};
    QTest::newRow("to the end") << 5 << QList<int>{2} << 6 << QList<int>{1, 3, 4, 5, 2};
    QTest::newRow("several, in their order")
        << 6 << QList<int>{5, 2} << 1 << QList<int>{5, 2, 1, 3, 4, 6};
    QTest::newRow("around a moved page") << 4 << QList<int>{1, 3} << 3 << QList<int>{2, 1, 3, 4};
    QTest::newRow("before itself") << 5 << QList<int>{3} << 3 << QList<int>{};
    QTest::newRow("before the next") << 5 << QList<int>{3} << 4 << QList<int>{};
    QTest::newRow("named twice") << 5 << QList<int>{2, 2} << 1 << QList<int>{};
    QTest::newRow("no such page") << 5 << QList<int>{6} << 1 << QList<int>{};
    QTest::newRow("no such place") << 5 << QList<int>{1} << 7 << QList<int>{};
  }
  void PageOrderAfterMoveTable() {
    QFETCH(int, count);
    QFETCH(QList<int>, pages);
    QFETCH(int, before);
    QFETCH(QList<int>, order);
    QCOMPARE(PageOrderAfterMove(count, pages, before), order);
  }

  // Moving pages rewrites the records byte for byte in the new order (the shown page as
  // typed), and the shown page follows its record; photos move between slots and pages
  // without overwriting one, and a page without a free slot takes none.
  void RearrangingMovesRecordsAndPhotos_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("photos");  // page 1..3, slot 1..3 ("-" empty)
    QTest::addColumn<QString>("line");        // line 1 of slot 1 on the shown page
    QTest::addColumn<bool>("done");
    QTest::newRow("move page") << "move page" << QStringList{"a", "-", "c", "-", "-", "-"} << "x"
                               << true;
    QTest::newRow("swap photos") << "swap" << QStringList{"c", "-", "a", "-", "-", "-"}
                                 << "ページ1の説明" << true;
    QTest::newRow("swap with texts") << "swap texts" << QStringList{"c", "-", "a", "-", "-", "-"}
                                     << "" << true;
    QTest::newRow("photo to a page") << "to page 2" << QStringList{"-", "-", "c", "a", "-", "-"}
                                     << "ページ1の説明" << true;
    QTest::newRow("photo to a full page")
        << "to page 3" << QStringList{"a", "-", "c", "-", "-", "-"} << "ページ1の説明" << false;
  }
  void RearrangingMovesRecordsAndPhotos() {
    QFETCH(QString, change);
    QFETCH(QStringList, photos);
    QFETCH(QString, line);
    QFETCH(bool, done);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), ThreePages());
    AlbumCommands& commands = *f.commands;
    Album& album = *f.album;
    album.JumpToPage(3);
    for (int slot = 1; slot <= 3; ++slot) commands.SetSlotPhoto(slot, QStringLiteral("/f.jpg"));
    album.JumpToPage(2);
    album.JumpToPage(1);
    commands.SetSlotPhoto(1, QStringLiteral("/a.jpg"));
    commands.SetSlotPhoto(3, QStringLiteral("/c.jpg"));
    album.Save();
    const QList<QByteArray> before = album.Records();
    bool moved = false;
    if (change == "move page") {
      commands.SetSlotLine(0, 1, QStringLiteral("x"));  // typed, not yet written back
      bool ok = false;
      const QList<QByteArray> typed = album.RecordsAsShown(&ok);
      moved = commands.MovePages({1}, 3);
      QCOMPARE(album.Records(), (QList<QByteArray>{before[0], before[2], typed[1], before[3]}));
      QCOMPARE(album.CurrentPage(), 2);
      album.JumpToPage(2);
    } else if (change.startsWith("swap")) {
      moved = commands.SwapSlotPhotos(1, 3, change == "swap texts");
    } else {
      moved = commands.MovePhotoToPage(1, change.right(1).toInt());
      QCOMPARE(album.CurrentPage(), 1);
      QCOMPARE(f.prompter.asked.size(), done ? 0u : 1u);
    }
    QCOMPARE(moved, done);
    QCOMPARE(album.IsModified(), done);
    QCOMPARE(album.Page().Line(0, 1).text, line);
    QStringList seen;
    const int shown = album.CurrentPage();
    for (int n : {shown, shown == 1 ? 2 : 1}) {
      album.JumpToPage(n);
      for (int slot = 1; slot <= 3; ++slot) {
        const QString path = album.Page().Photo(slot).path;
        seen << (path.isEmpty() ? QStringLiteral("-") : QFileInfo(path).baseName());
      }
    }
    QCOMPARE(seen, photos);
  }

  // The history keeps the newest steps, forgets every step when another album opens, and a
  // read-only album has none.
  void HistoryIsBoundedAndBelongsToOneAlbum() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), ThreePages());
    for (int i = 0; i < History::kMaxSteps + 20; ++i) {
      f.commands->SetSlotPhoto(1 + i % 3, QStringLiteral("/p%1.jpg").arg(i));
    }
    QCOMPARE(f.commands->Steps().Count(), History::kMaxSteps);
    QCOMPARE(f.commands->Steps().UndoName(), QStringLiteral("写真の挿入"));
    f.album->OpenAlbumAt(path);
    QCOMPARE(f.commands->Steps().Count(), 0);

    AlbumFixture other;
    other.prompter.yes_no = {true};  // open read-only
    QVERIFY(other.album->OpenAlbumAt(path));
    QVERIFY(other.album->IsReadOnly());
    other.commands->SetSlotPhoto(1, QStringLiteral("/p.jpg"));
    QCOMPARE(other.commands->Steps().Count(), 0);
  }
};

QTEST_GUILESS_MAIN(TstAlbumCommands)
#include "tst_album_commands.moc"
