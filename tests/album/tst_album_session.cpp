#include <sys/wait.h>
#include <unistd.h>

#include <QtTest>

#include "album/album_file.h"
#include "album/page_record.h"
#include "editor/photo_loader.h"
#include "platform/cp932.h"
#include "platform/text_file.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

const QString kHeader = QStringLiteral("ζ運動会ζ山田ζ2020/01/02ζ");

// A page record written by an older program with the other code of "≒" (87 90 instead of
// 81 E0) and of "纊" (ED 40 instead of FA 5C), and a multi-line label.
QByteArray TwoCodeRecord() {
  PageContent page;
  page.lines[0].text = "2";
  page.lines[1].text = "約≒纊";
  page.Label(1).text = "一行目\r\n二行目";
  QByteArray bytes = EncodeCp932(SerializePage(page));
  bytes.replace(QByteArray::fromHex("81e0"), QByteArray::fromHex("8790"));
  bytes.replace(QByteArray::fromHex("fa5c"), QByteArray::fromHex("ed40"));
  return bytes;
}

QByteArray OtherVersionRecord() {
  return EncodeCp932(PageWithTexts({"古い版"}).replace("ζ3.50ζ<pic>", "ζ3.40ζ<pic>"));
}

QList<QByteArray> Records(const QString& path) { return SplitAlbumRecords(ReadBytes(path)); }

// Whether the record of page `n` (0: the header) holds `text` as a whole field.
bool PageHolds(const QString& path, int n, const QString& text) {
  const QString z(kSeparator);
  return DecodeCp932(Records(path).value(n)).contains(z + text + z);
}

}  // namespace

class TstAlbumSession : public QObject {
  Q_OBJECT
  std::unique_ptr<AlbumFixture> f_;

  Album& A() { return *f_->album; }
  AlbumCommands& C() { return *f_->commands; }
  EditorController& E() { return *f_->editor; }
  ScriptedPrompter& P() { return f_->prompter; }
  QString File(const QString& name) { return f_->folder.File(name); }
  QString Back() { return f_->folder.Program().BackApt(); }

  // header, page 1 "1", page 2 with two-code characters, page 3 "3", page 4 "4", then `more`.
  QString OpenFourPages(const QList<QByteArray>& more = {}) {
    const QString path = File("four.apt");
    const QList<QByteArray> four{EncodeCp932(PageWithTexts({"1", "一"})), TwoCodeRecord(),
                                 EncodeCp932(PageWithTexts({"3"})),
                                 EncodeCp932(PageWithTexts({"4"}))};
    WriteBytes(path, JoinAlbumRecords(QList<QByteArray>{EncodeCp932(kHeader)} + four + more));
    A().OpenAlbumAt(path);
    return path;
  }

 private slots:
  void init() { f_ = std::make_unique<AlbumFixture>(); }
  void cleanup() { f_.reset(); }

  // Opening shows page 1 and takes the snapshot; saving writes CP932 with CR LF, byte for
  // byte (ζ 83 C4, Ⅱ 87 55, ① 87 40).
  void OpensAndSavesAnAlbumOfOnePage() {
    const QString path = f_->Open("one.apt", {kHeader, PageWithTexts({"7", "運動会の朝"})});
    QVERIFY(A().IsOpen());
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 1);
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().Header(), (AlbumHeader{"運動会", "山田", "2020/01/02"}));
    QCOMPARE(A().Page().lines[1].text, QString("運動会の朝"));
    QCOMPARE(E().PanelLines()[0], QString("7"));
    QCOMPARE(ReadBytes(Back()), ReadBytes(path));
    C().SetCoverField(0, "ＫＯＭＡＳＵⅡ");
    E().SetPanelLine(1, "Ⅱ①");
    QVERIFY(A().Save());
    const QByteArray bytes = ReadBytes(path);
    QVERIFY(bytes.startsWith(QByteArray::fromHex("2283c4826a826e826c826082728274875583c4")));
    QVERIFY(bytes.contains(QByteArray::fromHex("83c48755874083c4")));
    QVERIFY(bytes.endsWith("\"\r\n"));
    QCOMPARE(bytes.count("\r\n"), 2);
    QCOMPARE(bytes.count('\n'), 2);
    QVERIFY(P().Notices().isEmpty());
  }

  // Records of pages that are not shown, or that belong to another format version, are copied
  // byte for byte, however often the file is rewritten and whatever page commands run.
  void UntouchedRecordsKeepTheirBytes_data() {
    QTest::addColumn<QString>("steps");
    QTest::newRow("rewrites") << "save,save,save,keep,save";
    QTest::newRow("page moves") << "page4,first,next,next,first";  // page 2 shown, then left
    QTest::newRow("append") << "append,first,append";
    QTest::newRow("insert") << "insert,first,insert";
    QTest::newRow("delete another page") << "page4,delete,first";
    QTest::newRow("other version shown") << "page5,save,first,page5";
  }
  void UntouchedRecordsKeepTheirBytes() {
    QFETCH(QString, steps);
    const QByteArray legacy = EncodeCp932(ToLegacyRecord(PageWithTexts({"旧形式", "説明"})));
    const QString path = OpenFourPages({OtherVersionRecord(), legacy});
    E().SetPanelLine(2, "編集");
    for (const QString& step : steps.split(',')) {
      bool is_page = false;
      const int page = step.startsWith("page") ? step.mid(4).toInt(&is_page) : 0;
      if (step == "save") {
        A().SaveCurrentPage();
      } else if (step == "keep") {
        A().Save();
      } else if (step == "next") {
        A().NextPage();
      } else if (step == "first") {
        A().FirstPage();
      } else if (is_page) {
        A().JumpToPage(page);
      } else if (step == "append") {
        C().AppendPage();
      } else if (step == "insert") {
        C().InsertPage();
      } else if (step == "delete") {
        C().DeletePage();
      } else {
        QFAIL(qPrintable("unknown step " + step));
      }
    }
    A().SaveCurrentPage();  // an appended page reaches the file at the next write-back
    const QList<QByteArray> after = Records(path);
    QCOMPARE(after.size(), A().PageCount() + 1);
    if (!steps.contains("next")) QVERIFY(after.contains(TwoCodeRecord()));
    QVERIFY(after.contains(OtherVersionRecord()));
    QVERIFY(after.contains(legacy));
    QCOMPARE(DecodeHeader(DecodeCp932(after.at(0))), A().Header());
    QVERIFY(PageHolds(path, 1, "編集"));
    QVERIFY(P().Notices().isEmpty());
    if (steps.endsWith("page5")) {  // a page of another format version shows empty
      QCOMPARE(A().CurrentPage(), 5);
      QVERIFY(A().PageEditable() == false);
      QCOMPARE(A().Page().lines[0].text, QString());
      QVERIFY(!A().Page().lines[0].visible);
    }
  }

  // A new album is a file of two lines with today's date, named with ".apt" unless typed
  // with it. Replacing an existing file (also one typed without the extension) needs a Yes.
  void NewAlbumWritesTwoLines_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");  // -1: not asked
    QTest::addColumn<QString>("created");
    QTest::newRow("no extension") << "a" << -1 << "a.apt";
    QTest::newRow("extension") << "b.apt" << -1 << "b.apt";
    QTest::newRow("capital extension") << "c.APT" << -1 << "c.APT.apt";
    QTest::newRow("other extension") << "d.txt" << -1 << "d.txt.apt";
    QTest::newRow("existing, yes replaces") << "four.apt" << 1 << "four.apt";
    QTest::newRow("existing, no keeps") << "four.apt" << 0 << "four.apt";
    QTest::newRow("existing typed without extension, no") << "four" << 0 << "four.apt";
  }
  void NewAlbumWritesTwoLines() {
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QString, created);
    const QString open = OpenFourPages(), path = File(created);
    const QByteArray before = ReadBytes(open);
    P().asked.clear();
    P().files = {File(typed)};
    if (answer >= 0) P().yes_no = {answer == 1};
    QCOMPARE(A().NewAlbum(), answer != 0);
    QCOMPARE(P().asked.size(), answer < 0 ? 1u : 2u);
    QCOMPARE(P().asked.at(0).kind, QString("save"));
    QCOMPARE(P().asked.at(0).filter, QString("すべてのファイル (*.apt)"));
    if (answer >= 0) {
      const ScriptedPrompter::Asked& q = P().asked.at(1);
      QCOMPARE(q.text, QString("同じファイル名が存在します！上書きしますか？"));
      QCOMPARE(q.title, QString("上書き"));
      QCOMPARE(q.icon, MessageIcon::kQuestion);
      QVERIFY(q.default_no);
    }
    if (answer == 0) {
      QCOMPARE(ReadBytes(open), before);
      QCOMPARE(A().Path(), open);
      QCOMPARE(A().PageCount(), 4);
      return;
    }
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 1);
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().Header(), (AlbumHeader{"", "", "2026/12/09"}));
    const QByteArray bytes = ReadBytes(path);
    QCOMPARE(bytes.count("\r\n"), 2);
    QVERIFY(bytes.startsWith(EncodeCp932("\"ζζζ2026/12/09ζ\"\r\n\"ζ1ζ0ζ0ζ3.50ζ<pic>ζ")));
    QCOMPARE(SplitRecordFields(DecodeCp932(Records(path).at(1))).size(), kRecordFields);
    QCOMPARE(ReadBytes(Back()), bytes);
  }

  // The new file holds every change and becomes the snapshot; the old file returns to its
  // snapshot and page 1 is shown. Saving onto the album's own file loses nothing either.
  void SaveAsKeepsEveryChange_data() {
    QTest::addColumn<bool>("own_file");
    QTest::newRow("new file") << false;
    QTest::newRow("own file") << true;
  }
  void SaveAsKeepsEveryChange() {
    QFETCH(bool, own_file);
    const QString old_path = OpenFourPages(), path = own_file ? old_path : File("copy.apt");
    const QByteArray opened = ReadBytes(old_path);
    E().SetPanelLine(3, "一頁目の変更");
    A().JumpToPage(3);
    E().SetPanelLine(3, "三頁目の変更");
    P().files = {own_file ? old_path : File("copy")};
    P().yes_no = {true};
    QVERIFY(A().SaveAlbumAs());
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 4);
    if (!own_file) {
      QCOMPARE(ReadBytes(old_path), opened);
      QCOMPARE(A().CurrentPage(), 1);
      QCOMPARE(A().Page().lines[3].text, QString("一頁目の変更"));
    }
    QCOMPARE(Records(path).at(4), EncodeCp932(PageWithTexts({"4"})));
    QCOMPARE(ReadBytes(Back()), ReadBytes(path));
    C().SetModified(true);
    P().yes_no = {false};
    QVERIFY(A().ConfirmClose());
    QVERIFY(PageHolds(path, 1, "一頁目の変更"));
    QVERIFY(PageHolds(path, 3, "三頁目の変更"));
  }

  // Opening or creating another album writes the shown page back into the album open so far.
  void SwitchingAlbumsWritesTheShownPageBack_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("open through the dialog") << "open";
    QTest::newRow("new album") << "new";
  }
  void SwitchingAlbumsWritesTheShownPageBack() {
    QFETCH(QString, command);
    const QString old_path = OpenFourPages();
    const QString other = File("other.apt");
    WriteAlbum(other, {kHeader, PageWithTexts({"別"})});
    A().JumpToPage(2);
    E().SetPanelLine(4, "切替前");
    P().files = {command == "open" ? other : File("new")};
    QVERIFY(command == "open" ? A().OpenAlbum() : A().NewAlbum());
    QVERIFY(PageHolds(old_path, 2, "切替前"));
    QCOMPARE(A().Path(), command == "open" ? other : File("new.apt"));
    QVERIFY(A().Page().lines[4].text.isEmpty());
  }

  // Closing asks only when modified: Yes saves the shown page, No puts back the snapshot,
  // which opening, "上書き保存" and deleting a page renew.
  void ClosingAsksOnlyWhenModified_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("yes");
    QTest::newRow("unmodified") << "" << false << true;
    QTest::newRow("yes saves") << "" << true << true;
    QTest::newRow("no restores the opened file") << "" << true << false;
    QTest::newRow("no after 上書き保存") << "keep" << true << false;
    QTest::newRow("no after deleting page 3") << "delete" << true << false;
  }
  void ClosingAsksOnlyWhenModified() {
    QFETCH(QString, before);
    QFETCH(bool, modified);
    QFETCH(bool, yes);
    const QString path = OpenFourPages();
    E().SetPanelLine(1, "保存済み");
    if (before == "keep") {
      QVERIFY(A().Save());
      QVERIFY(!A().IsModified());
    } else if (before == "delete") {
      A().JumpToPage(3);
      C().DeletePage();
      QCOMPARE(A().PageCount(), 3);
    } else if (!before.isEmpty()) {
      QFAIL(qPrintable("unknown step " + before));
    }
    const QByteArray snapshot = ReadBytes(path);
    QCOMPARE(ReadBytes(Back()), snapshot);
    E().SetPanelLine(1, "未保存");
    A().JumpToPage(2);  // writes the change back
    QVERIFY(ReadBytes(path) != snapshot);
    E().SetPanelLine(1, "閉じる前");
    C().SetModified(modified);
    P().yes_no = {yes};
    P().asked.clear();
    QVERIFY(A().ConfirmClose());
    QCOMPARE(P().asked.size(), modified ? 1u : 0u);
    if (modified) {
      QCOMPARE(P().asked.at(0).text, QString("アルバムを保存しますか"));
      QCOMPARE(P().asked.at(0).title, QString("確認"));
    }
    QCOMPARE(A().Page().lines[1].text, QString("閉じる前"));
    if (!yes) QCOMPARE(ReadBytes(path), snapshot);
    if (yes) QCOMPARE(PageHolds(path, 2, "閉じる前"), modified);
  }

  void RefusesAPageBeyond499_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("insert");
    QTest::newRow("append at 499") << 499 << false;
    QTest::newRow("insert at 499") << 499 << true;
    QTest::newRow("append at 498") << 498 << false;
    QTest::newRow("insert at 498") << 498 << true;
  }
  void RefusesAPageBeyond499() {
    QFETCH(int, pages);
    QFETCH(bool, insert);
    const QString path = File("big.apt");
    QList<QByteArray> records{EncodeCp932(kHeader)};
    for (int i = 0; i < pages; ++i) records << EncodeCp932(QString("ζ1ζ0ζ%1ζ").arg(i % 2));
    WriteBytes(path, JoinAlbumRecords(records));
    A().OpenAlbumAt(path);
    QCOMPARE(A().PageCount(), pages);
    insert ? C().InsertPage() : C().AppendPage();
    QCOMPARE(A().PageCount(), 499);
    const bool refused = pages == 499;
    QCOMPARE(P().Notices(),
             refused
                 ? QStringList{"ページは最大499ページまでです。これ以上ページを追加できません。"}
                 : QStringList{});
    if (refused) QCOMPARE(Records(path), records);
    if (insert && !refused) QCOMPARE(Records(path).size(), 500);
  }

  // A command that fails, is refused or is cancelled keeps the album, its file and the
  // snapshot, stays on the page and tells the user why (a cancelled dialog needs no message).
  // The file dialogs open in the file save folder of OPT.ini; "plain" is a file standing where
  // the new album's folder must be.
  void UnfinishedCommandKeepsTheAlbum_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("full_disk");
    QTest::addColumn<QString>("notice");
    const QString failed = "アルバムを保存できませんでした。元のファイルはそのまま残っています。";
    QTest::newRow("write-back") << "save" << true << failed;
    QTest::newRow("上書き保存") << "keep" << true << failed;
    QTest::newRow("next page") << "next" << true << failed;
    QTest::newRow("closing, yes") << "close" << true << failed;
    QTest::newRow("new album") << "new" << false << QString("target.apt");
    QTest::newRow("save as") << "save as" << false << QString("target.apt");
    QTest::newRow("unstorable author")
        << "José" << false << QString("文字「é」は保存できないため使用できません。");
    QTest::newRow("cancelled open") << "open" << false << QString();
    QTest::newRow("cancelled new album") << "new" << false << QString();
    QTest::newRow("cancelled save as") << "save as" << false << QString();
  }
  void UnfinishedCommandKeepsTheAlbum() {
    QFETCH(QString, command);
    QFETCH(bool, full_disk);
    QFETCH(QString, notice);
    WriteBytes(f_->folder.Program().OptIni(), EncodeCp932("E:\\\r\nD:\\写真\r\nD:\\アルバム\r\n"));
    f_->editor.reset();
    f_->commands.reset();
    f_->album = std::make_unique<Album>(f_->folder.Program(), P(), f_->clock);
    f_->commands = std::make_unique<AlbumCommands>(*f_->album);
    f_->editor = std::make_unique<EditorController>(*f_->commands);
    const QString path = OpenFourPages();
    const QByteArray before = ReadBytes(path), back = ReadBytes(Back());
    E().SetPanelLine(5, "書けない変更");
    C().SetModified(true);
    WriteBytes(File("plain"), "a file, not a folder");
    if (!notice.isEmpty()) P().files = {File("plain/target")};
    P().yes_no = {true};
    bool ok = true;
    {
      std::optional<FileSizeLimit> limit;
      if (full_disk) limit.emplace(before.size() / 2);
      if (command == "save") {
        ok = A().SaveCurrentPage();
      } else if (command == "keep") {
        ok = A().Save();
      } else if (command == "next") {
        A().NextPage();
      } else if (command == "close") {
        ok = A().ConfirmClose();
      } else if (command == "open") {
        ok = A().OpenAlbum();
      } else if (command == "new") {
        ok = A().NewAlbum();
      } else if (command == "save as") {
        ok = A().SaveAlbumAs();
      } else if (command == "José") {
        C().SetCoverField(1, command);
        ok = A().SaveCurrentPage();
      } else {
        QFAIL(qPrintable("unknown command " + command));
      }
    }
    QVERIFY(!ok || command == "next");
    // New album and save as write the shown page back before the target fails.
    if (notice.endsWith(".apt")) QVERIFY(PageHolds(path, 1, "書けない変更"));
    if (!notice.endsWith(".apt")) QCOMPARE(ReadBytes(path), before);
    QCOMPARE(ReadBytes(Back()), back);
    QCOMPARE(P().Notices().size(), notice.isEmpty() ? 0 : 1);
    if (!notice.isEmpty()) QVERIFY2(P().Notices().at(0).contains(notice), qPrintable(notice));
    if (notice.isEmpty()) QCOMPARE(P().asked.size(), 1u);
    if (QStringList{"open", "new", "save as"}.contains(command))
      QCOMPARE(P().asked.at(0).folder, QString("D:\\アルバム"));
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 4);
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().Page().lines[5].text, QString("書けない変更"));
    QVERIFY(A().IsModified());
    QCOMPARE(QDir(f_->folder.Path()).entryList({"four.apt*"}), QStringList{"four.apt"});
  }

  // Whatever file is chosen, opening it ends in an open album or a message, never a crash.
  // "folder" and "huge" stand for a folder of that name and a sparse file over the limit.
  void OpeningAnyFileIsSafe_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opens");
    QByteArray binary(4096, '\0');
    QRandomGenerator random(11);
    for (char& b : binary) b = static_cast<char>(random.bounded(256));
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("header only") << EncodeCp932("\"ζaζbζcζ\"\r\n") << false;
    const QString album = "\"ζ名前ζ\"\r\n\"ζ1ζ0ζ0ζ3.50ζ<pic>ζ\"\r\n";
    QTest::newRow("binary") << binary << false;
    QTest::newRow("utf-8 text") << album.toUtf8() << false;
    QTest::newRow("utf-16 text") << QByteArray::fromHex("fffe") +
                                        QByteArray(reinterpret_cast<const char*>(album.utf16()),
                                                   album.size() * 2)
                                 << false;
    QTest::newRow("cp932 text") << EncodeCp932(album) << true;
    QTest::newRow("text after a quote") << QByteArray("\"\"\"\"\"") << false;
    QTest::newRow("empty records") << QByteArray("\"\"\r\n\"\"\r\n") << false;
    QTest::newRow("one endless line") << QByteArray(300000, 'x') << false;
    QTest::newRow("folder") << QByteArray("folder") << false;
    QTest::newRow("huge") << QByteArray("huge") << false;
    QTest::newRow("missing") << QByteArray("missing") << false;
  }
  void OpeningAnyFileIsSafe() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    const QString path = File("any.apt");
    if (bytes == "folder") {
      QVERIFY(QDir(f_->folder.Path()).mkdir("any.apt"));
    } else if (bytes == "huge") {
      QFile huge(path);
      QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxAlbumFileBytes + 1));
    } else if (bytes != "missing") {
      WriteBytes(path, bytes);
    }
    QCOMPARE(A().OpenAlbumAt(path), opens);
    QCOMPARE(A().IsOpen(), opens);
    QCOMPARE(P().Notices().size(), opens ? 0 : 1);
    if (opens) QCOMPARE(A().PageCount(), Records(path).size() - 1);
  }

  // Through rewrites and reopening a multi-line label keeps its lines, a missing photo keeps
  // its path, an empty slot keeps the cleared geometry; label 20 is not stored; callout lines
  // show when their X1 is not 0.
  void ShownPageSurvivesRewrites() {
    PageContent page;
    page.Photo(1).path = File("missing.jpg");
    page.Photo(2) = {7100, 3800, 3100, 2325, QString(), true};
    page.Label(2).text = "上の行\r\n下の行";
    page.callouts[0].line = {0, 100, 0, 100, true};
    page.callouts[1].line = {5, 100, 5, 100, false};
    page.callouts[1].arrow_a = {5, 1, 5, 1, false};
    page.callouts[1].arrow_b = {5, 1, 5, 1, true};
    const QString path = f_->Open("layout.apt", {kHeader, SerializePage(page), ""});
    Edit(A(), [&](PageContent& p) { p.Label(20).text = "保存されないラベル"; });
    A().NextPage();
    A().FirstPage();
    QCOMPARE(A().Page().Label(20).text, QString());
    for (int i = 0; i < 3; ++i) {
      A().SaveCurrentPage();
      A().OpenAlbumAt(path);
    }
    QCOMPARE(A().Page().Label(2).text, QString("上の行\r\n下の行"));
    QVERIFY(A().Page().Label(2).visible);
    QVERIFY(!A().Page().callouts[0].line.visible);
    QVERIFY(A().Page().callouts[1].line.visible);
    QVERIFY(!A().Page().callouts[1].arrow_a.visible);
    QVERIFY(A().Page().callouts[1].arrow_b.visible);
    QCOMPARE(A().Page().Photo(1).path, File("missing.jpg"));
    QCOMPARE(Records(path).size(), 3);
    const QStringList fields = SplitRecordFields(DecodeCp932(Records(path).at(1)));
    QCOMPARE(fields.at(9), File("missing.jpg"));
    QCOMPARE(fields.mid(10, 5), (QStringList{"6840", "360", "375", "375", ""}));
  }

  // back.apt is shared by every copy of the program that uses this program folder: closing
  // with "No" restores only the bytes this album put there, and says so when they are gone.
  void ASnapshotOfAnotherAlbumIsNeverRestored_data() {
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("another copy opened another album") << "other album";
    QTest::newRow("same size, other bytes") << "same size";
    QTest::newRow("back.apt removed") << "removed";
  }
  void ASnapshotOfAnotherAlbumIsNeverRestored() {
    QFETCH(QString, meanwhile);
    const QString path = OpenFourPages();
    E().SetPanelLine(1, "書き込み済み");
    A().NextPage();
    const QByteArray written = ReadBytes(path);
    const QString other = File("other.apt");
    WriteAlbum(other, {kHeader, PageWithTexts({"別のアルバム"})});
    ScriptedPrompter other_prompter;
    Album other_copy(f_->folder.Program(), other_prompter, f_->clock);
    if (meanwhile == "other album") {
      QVERIFY(other_copy.OpenAlbumAt(other));
      QCOMPARE(ReadBytes(Back()), ReadBytes(other));
    } else if (meanwhile == "same size") {
      QByteArray back = ReadBytes(Back());
      back[back.size() - 3] = 'X';
      WriteBytes(Back(), back);
    } else {
      QVERIFY(QFile::remove(Back()));
    }
    C().SetModified(true);
    P().yes_no = {false};
    QVERIFY(A().ConfirmClose());
    QCOMPARE(ReadBytes(path), written);
    QCOMPARE(
        P().Notices(),
        QStringList{QString("バックアップファイル（back.apt）が他のアルバムなどで置き換えられた"
                            "ため、アルバム「%1」の変更を元に戻せません。\n"
                            "アルバムは最後に書き込まれた内容のままです。")
                        .arg(QDir::toNativeSeparators(path))});
  }

  // An album open in another copy of the program is offered read-only: it is viewed as it is,
  // page by page, and nothing writes its file or back.apt. A lock released by closing, or
  // left by a program that ended without removing it, no longer holds the album.
  void AnAlbumInUseOpensOnlyReadOnly_data() {
    QTest::addColumn<QString>("holder");
    QTest::addColumn<bool>("yes");
    QTest::newRow("in use, no: not opened") << "open" << false;
    QTest::newRow("in use, yes: read-only") << "open" << true;
    QTest::newRow("the other copy closed it") << "closed" << false;
    QTest::newRow("lock of an ended program") << "ended" << false;
  }
  void AnAlbumInUseOpensOnlyReadOnly() {
    QFETCH(QString, holder);
    QFETCH(bool, yes);
    const QString path = File("shared.apt");
    WriteAlbum(path, {kHeader, PageWithTexts({"1", "一"}), PageWithTexts({"2"})});
    ScriptedPrompter other_prompter;
    auto other = std::make_unique<Album>(f_->folder.Program(), other_prompter, f_->clock);
    QVERIFY(other->OpenAlbumAt(path));
    const QString lock = File(".~shared.apt.lock");
    QByteArray lock_bytes = ReadBytes(lock);
    if (holder != "open") other.reset();
    if (holder == "ended") {
      QVERIFY(!lock_bytes.isEmpty());
      const pid_t child = fork();
      if (child == 0) _exit(0);
      QVERIFY(waitpid(child, nullptr, 0) == child);
      lock_bytes.replace(0, lock_bytes.indexOf('\n'), QByteArray::number(child));
      WriteBytes(lock, lock_bytes);
    }
    const QByteArray before = ReadBytes(path), back = ReadBytes(Back());
    const bool in_use = holder == "open";
    QVERIFY(QDir(f_->folder.Path()).mkdir("x"));
    const QString spelled = f_->folder.Path() + "/x/../shared.apt";  // the lock is the same
    P().yes_no = {yes};
    QCOMPARE(A().OpenAlbumAt(spelled), !in_use || yes);
    QCOMPARE(P().asked.size(), in_use ? 1u : 0u);
    QCOMPARE(A().IsReadOnly(), in_use && yes);
    if (!in_use) {
      E().SetPanelLine(1, "書ける");
      A().NextPage();
      QVERIFY(PageHolds(path, 1, "書ける"));
      return;
    }
    QCOMPARE(
        P().asked.at(0).text,
        QString("アルバム「%1」は他のプログラムで使用中です。\n\n読み取り専用で開きますか？\n"
                "（表示と印刷だけができます。「いいえ」を選ぶと開きません。）")
            .arg(QDir::toNativeSeparators(QDir(f_->folder.Path()).filePath("x/../shared.apt"))));
    QCOMPARE(P().asked.at(0).title, QString("使用中"));
    if (!yes) {
      QVERIFY(!A().IsOpen());
      return;
    }
    QVERIFY(!A().PageEditable());
    QCOMPARE(E().PanelLines()[1], QString("一"));
    E().SetPanelLine(1, "書けない");
    C().SetCoverField(0, "書けない");
    A().NextPage();
    QCOMPARE(A().Page().lines[0].text, QString("2"));
    A().FirstPage();
    QCOMPARE(A().Page().lines[1].text, QString("一"));
    C().AppendPage();
    C().InsertPage();
    C().DeletePage();
    QVERIFY(!A().Save());
    C().SetModified(true);
    QVERIFY(A().ConfirmClose());
    QCOMPARE(A().PageCount(), 2);
    QCOMPARE(A().Header().name, QString("運動会"));
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(ReadBytes(Back()), back);
    const QString refused = "は読み取り専用で開いているため、変更を保存できません。";
    QCOMPARE(P().Notices().size(), 4);
    for (const QString& notice : P().Notices()) QVERIFY(notice.endsWith(refused));
  }

  // A lock from another computer (a stick pulled after a crash, a share) is never stale from
  // here: the question names the computer and the time the lock was taken and offers read-only
  // viewing or, behind a second question that defaults to No, taking the lock over. A lock file
  // that names nobody is treated the same.
  void ALockOfAnotherComputerCanBeTakenOver_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("outcome");  // "read-only", "editable", "not opened"
    QTest::newRow("read-only") << "現場PC" << QList<int>{0} << false << "read-only";
    QTest::newRow("not opened") << "現場PC" << QList<int>{2} << false << "not opened";
    QTest::newRow("take over") << "現場PC" << QList<int>{1} << true << "editable";
    QTest::newRow("take over, no, then read-only")
        << "現場PC" << QList<int>{1, 0} << false << "read-only";
    QTest::newRow("lock naming nobody, take over") << "" << QList<int>{1} << true << "editable";
  }
  void ALockOfAnotherComputerCanBeTakenOver() {
    QFETCH(QString, host);
    QFETCH(QList<int>, choices);
    QFETCH(bool, yes);
    QFETCH(QString, outcome);
    const QString path = File("stick.apt");
    WriteAlbum(path, {kHeader, PageWithTexts({"1", "一"}), PageWithTexts({"2"})});
    WriteForeignLock(path, host, QDateTime(QDate(2026, 12, 8), QTime(16, 45)));
    const QString lock = AlbumLock::LockPathFor(path);
    const QByteArray before = ReadBytes(path), lock_before = ReadBytes(lock);
    P().choices = {choices.begin(), choices.end()};
    P().yes_no = {yes};
    QCOMPARE(A().OpenAlbumAt(path), outcome != "not opened");
    const QString where = host.isEmpty() ? QString("他のコンピューターで")
                                         : QString("コンピューター「%1」で").arg(host);
    QVERIFY2(P().asked.at(0).text.contains(where + " 2026/12/08 16:45 から使用中です"),
             qPrintable(P().asked.at(0).text));
    if (choices.first() == 1) {  // taking over asks again, No by default
      QVERIFY(P().asked.at(1).default_no && P().asked.at(1).text.contains("編集しているかも"));
    }
    QCOMPARE(P().asked.size(), static_cast<size_t>(choices.size() + (choices.first() == 1)));
    QCOMPARE(A().IsReadOnly(), outcome == "read-only");
    if (outcome != "editable") {
      QCOMPARE(ReadBytes(lock), lock_before);  // still the other computer's
      if (A().IsOpen()) E().SetPanelLine(1, "書けない");
      A().NextPage();
      QCOMPARE(ReadBytes(path), before);
      return;
    }
    QVERIFY(ReadBytes(lock).contains(QSysInfo::machineHostName().toUtf8()));
    QVERIFY(AlbumInUseBy(path)->this_computer);  // held by this program now
    E().SetPanelLine(1, "引き継いだ");
    A().NextPage();
    QVERIFY(PageHolds(path, 1, "引き継いだ"));
  }

  // Where the album cannot be saved it opens read-only from the start instead of failing at the
  // first page move: a read-only medium or file silently (the title says read-only), a folder
  // that takes no new file, which the atomic rewrite needs, with a notice that points to
  // save-as. The medium is simulated through the probe; tst_text_file checks the probe.
  void AnAlbumThatCannotBeSavedWhereItIsOpensReadOnly_data() {
    QTest::addColumn<int>("access_value");
    QTest::addColumn<QString>("notice");
    QTest::newRow("writable") << int(WriteAccess::kWritable) << QString();
    QTest::newRow("read-only medium") << int(WriteAccess::kReadOnlyMedium) << QString();
    QTest::newRow("read-only file") << int(WriteAccess::kReadOnlyFile) << QString();
    QTest::newRow("folder takes no new file")
        << int(WriteAccess::kFolderClosed) << QString("「名前を付けて保存」");
  }
  void AnAlbumThatCannotBeSavedWhereItIsOpensReadOnly() {
    QFETCH(int, access_value);
    QFETCH(QString, notice);
    const auto access = static_cast<WriteAccess>(access_value);
    const QString path = File("ro.apt");
    WriteAlbum(path, {kHeader, PageWithTexts({"1", "一"}), PageWithTexts({"2"})});
    const QByteArray before = ReadBytes(path);
    A().SetWriteAccessProbe([&](const QString& probed) {
      return SameFile(probed, path) ? access : WriteAccess::kWritable;
    });
    QVERIFY(A().OpenAlbumAt(path));
    const bool writable = access == WriteAccess::kWritable;
    QCOMPARE(A().IsReadOnly(), !writable);
    QCOMPARE(QFileInfo::exists(AlbumLock::LockPathFor(path)), writable);
    E().SetPanelLine(1, "変更");
    A().NextPage();
    QCOMPARE(A().CurrentPage(), 2);  // no failure holds the page
    QCOMPARE(ReadBytes(path) == before, !writable);
    QCOMPARE(P().Notices().size(), notice.isEmpty() ? 0 : 1);  // and no failure
    if (!notice.isEmpty()) QVERIFY(P().Notices().at(0).contains(notice));
    if (writable) return;
    // Save-as to a folder that can be written gives an album that can be edited.
    P().files = {File("copy.apt")};
    QVERIFY(A().SaveAlbumAs());
    QVERIFY(!A().IsReadOnly());
    E().SetPanelLine(1, "写しに書く");
    A().NextPage();
    QVERIFY(PageHolds(File("copy.apt"), 1, "写しに書く"));
    QCOMPARE(ReadBytes(path), before);
  }

  // New album and save-as never write over an album another copy of the program holds.
  void AnAlbumInUseIsNeverReplaced_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("new album") << "new";
    QTest::newRow("save as") << "save as";
  }
  void AnAlbumInUseIsNeverReplaced() {
    QFETCH(QString, command);
    const QString held = File("held.apt");
    WriteAlbum(held, {kHeader, PageWithTexts({"他"})});
    const QByteArray before = ReadBytes(held);
    ScriptedPrompter other_prompter;
    Album other(f_->folder.Program(), other_prompter, f_->clock);
    QVERIFY(other.OpenAlbumAt(held));
    const QString path = OpenFourPages();
    P().files = {held};
    P().yes_no = {true};  // replace the existing file
    QVERIFY(command == "new" ? !A().NewAlbum() : !A().SaveAlbumAs());
    QCOMPARE(ReadBytes(held), before);
    QCOMPARE(A().Path(), path);
    QCOMPARE(P().Notices(),
             QStringList{QString("アルバム「%1」は他のプログラムで使用中のため、上書きできません。")
                             .arg(QDir::toNativeSeparators(held))});
  }

  // A file changed on disk behind the program's back (a program that does not lock albums) is
  // overwritten only after a Yes; the other program's pages stay even then. Reading the
  // records in between (the view does so for its neighbour photos) changes nothing.
  void AFileChangedOnDiskIsOverwrittenOnlyAfterAsking_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("yes");
    QTest::newRow("page move, no") << "next" << false;
    QTest::newRow("page move, yes") << "next" << true;
    QTest::newRow("records read, page move, no") << "read,next" << false;
    QTest::newRow("records read, page move, yes") << "read,next" << true;
    QTest::newRow("closing without saving, no") << "close" << false;
    QTest::newRow("closing without saving, yes") << "close" << true;
  }
  void AFileChangedOnDiskIsOverwrittenOnlyAfterAsking() {
    QFETCH(QString, command);
    QFETCH(bool, yes);
    const QString path = OpenFourPages();
    const QByteArray opened = ReadBytes(path);
    E().SetPanelLine(1, "こちらの変更");
    QList<QByteArray> theirs = Records(path);
    theirs[1] = EncodeCp932(PageWithTexts({"1", "あちらの変更"}));
    theirs.append(EncodeCp932(PageWithTexts({"5"})));
    WriteBytes(path, JoinAlbumRecords(theirs));
    if (command.startsWith("read")) A().Records();
    P().yes_no = {false, yes};  // closing: do not save, then the question
    if (command.endsWith("next")) {
      P().yes_no.pop_front();
      A().NextPage();
    } else {
      C().SetModified(true);
      QVERIFY(A().ConfirmClose());
    }
    const auto asked = std::find_if(P().asked.begin(), P().asked.end(), [](const auto& a) {
      return a.text.endsWith("上書きしますか？");
    });
    QVERIFY(asked != P().asked.end());
    QCOMPARE(asked->text,
             QString("アルバム「%1」は他のプログラムによって変更されています。上書きしますか？")
                 .arg(QDir::toNativeSeparators(path)));
    QVERIFY(asked->default_no);
    if (!yes) {
      QCOMPARE(Records(path), theirs);
      QCOMPARE(A().CurrentPage(), 1);
      QCOMPARE(A().Page().lines[1].text, QString("こちらの変更"));
      QCOMPARE(P().Notices().size(), 1);
      QVERIFY(P().Notices().at(0).contains("は書き込まれませんでした。"));
      return;
    }
    QVERIFY(P().Notices().isEmpty());
    if (command == "close") {
      QCOMPARE(ReadBytes(path), opened);
      return;
    }
    QCOMPARE(A().CurrentPage(), 2);
    QCOMPARE(A().PageCount(), 5);
    QCOMPARE(Records(path).value(5), theirs.at(5));
    QVERIFY(PageHolds(path, 1, "こちらの変更"));
    P().asked.clear();
    A().NextPage();
    QVERIFY(P().asked.empty());
  }

  // A page record over the limit is not decoded: the page is said to be too large, stays
  // read-only and is written back byte for byte.
  void APageTooLargeToShowIsKeptUntouched_data() {
    QTest::addColumn<qsizetype>("text_bytes");
    QTest::addColumn<bool>("shown");
    QTest::newRow("large but within") << kMaxRecordBytes - 8 * 1024 << true;
    QTest::newRow("over the limit") << kMaxRecordBytes << false;
  }
  void APageTooLargeToShowIsKeptUntouched() {
    QFETCH(qsizetype, text_bytes);
    QFETCH(bool, shown);
    const QString text(text_bytes, u'x');
    PageContent page;
    page.lines[0].text = text;
    page.Photo(1).path = "photo.jpg";
    const QByteArray record = EncodeCp932(SerializePage(page));
    const QString path = OpenFourPages({record});
    A().JumpToPage(5);
    QCOMPARE(A().CurrentPage(), 5);
    QCOMPARE(A().PageEditable(), shown);
    QCOMPARE(A().Page().lines[0].text, shown ? text : QString());
    QCOMPARE(P().Notices().size(), shown ? 0 : 1);
    // Nor is it decoded for the photos ahead when a neighbour is shown.
    QCOMPARE(SlotPhotoPaths(A(), 5)[0], shown ? "photo.jpg" : "");
    Edit(A(), [](PageContent& p) { p.lines[1].text = "変更"; });
    A().FirstPage();
    A().Save();
    QCOMPARE(PageHolds(path, 5, "変更"), shown);
    QCOMPARE(Records(path).value(5) == record, !shown);
  }

  // A snapshot left by another album (an earlier run) must never replace this album.
  void ForeignSnapshotIsNeverRestored() {
    WriteAlbum(Back(), {kHeader, "ζ1ζ0ζ0ζ"});
    const QByteArray foreign = ReadBytes(Back());
    WriteAlbum(File("mine.apt"), {kHeader, PageWithTexts({"私の"})});
    const QByteArray mine = ReadBytes(File("mine.apt"));
    {
      FileSizeLimit limit(foreign.size() + 10);  // the snapshot of "mine" cannot be written
      QVERIFY(A().OpenAlbumAt(File("mine.apt")));
      C().SetModified(true);
      P().yes_no = {false};
      QVERIFY(A().ConfirmClose());
    }
    QCOMPARE(ReadBytes(Back()), foreign);
    QCOMPARE(ReadBytes(File("mine.apt")), mine);
    QCOMPARE(P().Notices().size(), 1);
    QVERIFY(P().Notices().at(0).contains("back.apt"));
  }
};

QTEST_GUILESS_MAIN(TstAlbumSession)
#include "tst_album_session.moc"
