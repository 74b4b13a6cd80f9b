#include <QtTest>

#include "album/page_record.h"
#include "commands/album_commands.h"
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
                               "typing on another page"}) {
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
    album.JumpToPage(3);
    album.JumpToPage(2);
    album.Save();
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
         }}};
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
