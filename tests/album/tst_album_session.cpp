#include <QtTest>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

const QString kHeader = QStringLiteral("ζ運動会ζ山田ζ2020/01/02ζ");
const QString kLimitMessage =
    QStringLiteral("ページは最大499ページまでです。これ以上ページを追加できません。");
const QString kSaveFailed = QStringLiteral("アルバムを保存できませんでした。");

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
  QString r = PageWithTexts({"古い版"});
  r.replace(QString("ζ3.50ζ<pic>"), QString("ζ3.40ζ<pic>"));
  return EncodeCp932(r);
}

QByteArray LegacyRecord() {
  const QStringList f = SplitRecordFields(PageWithTexts({"旧形式", "説明"}));
  QStringList legacy = f.mid(0, 3) + f.mid(5, 50) + f.mid(56, 270) + f.mid(327, 285);
  const QString z(kSeparator);
  return EncodeCp932(z + legacy.join(z) + z);
}

QList<QByteArray> Records(const QString& path) { return SplitAlbumRecords(ReadBytes(path)); }

}  // namespace

class TstAlbumSession : public QObject {
  Q_OBJECT
  std::unique_ptr<AlbumFixture> f_;

  Album& A() { return *f_->album; }
  ScriptedPrompter& P() { return f_->prompter; }
  QString File(const QString& name) { return f_->folder.File(name); }
  QString Back() { return f_->folder.Program().BackApt(); }

  // header, page 1 "1", page 2 with two-code characters, page 3 "3", page 4 "4".
  QString OpenFourPages() {
    WriteBytes(File("four.apt"),
               JoinAlbumRecords({EncodeCp932(kHeader), EncodeCp932(PageWithTexts({"1", "一"})),
                                 TwoCodeRecord(), EncodeCp932(PageWithTexts({"3"})),
                                 EncodeCp932(PageWithTexts({"4"}))}));
    A().OpenAlbumAt(File("four.apt"));
    return File("four.apt");
  }

 private slots:
  void init() { f_ = std::make_unique<AlbumFixture>(); }
  void cleanup() { f_.reset(); }

  void OpensAnAlbumOfOnePage() {
    const QString path = f_->Open("one.apt", {kHeader, PageWithTexts({"7", "運動会の朝"})});
    QVERIFY(A().IsOpen());
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 1);
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().header, (AlbumHeader{"運動会", "山田", "2020/01/02"}));
    QCOMPARE(A().page.lines[1].text, QString("運動会の朝"));
    QCOMPARE(A().PanelLines()[0], QString("7"));
    QCOMPARE(ReadBytes(Back()), ReadBytes(path));
    QVERIFY(P().Notices().isEmpty());
  }

  // Records of pages that are not shown are copied byte for byte, however often the file is
  // rewritten and whatever page commands run around them.
  void UntouchedRecordsKeepTheirBytes_data() {
    QTest::addColumn<QString>("steps");
    QTest::newRow("rewrites") << "save,save,save,keep,save";
    QTest::newRow("page moves") << "last,first,next,next,first";  // page 2 shown, then left
    QTest::newRow("append") << "append,first,append";
    QTest::newRow("insert") << "insert,first,insert";
    QTest::newRow("delete another page") << "last,delete,first";
  }
  void UntouchedRecordsKeepTheirBytes() {
    QFETCH(QString, steps);
    const QString path = OpenFourPages();
    const QByteArray two_code = TwoCodeRecord();
    const QByteArray other_version = OtherVersionRecord();
    const QByteArray legacy = LegacyRecord();
    QList<QByteArray> records = Records(path);
    records << other_version << legacy;
    WriteBytes(path, JoinAlbumRecords(records));
    A().OpenAlbumAt(path);
    A().SetPanelLine(2, "編集");
    const bool shows_page_two = steps.contains("next");
    for (const QString& step : steps.split(',')) {
      if (step == "save") A().SaveCurrentPage();
      if (step == "keep") A().Save();
      if (step == "next") A().NextPage();
      if (step == "first") A().FirstPage();
      if (step == "last") A().JumpToPage(4);
      if (step == "append") A().AppendPage();
      if (step == "insert") A().InsertPage();
      if (step == "delete") A().DeleteCurrentPage();
    }
    A().SaveCurrentPage();  // an appended page reaches the file at the next write-back
    const QList<QByteArray> after = Records(path);
    QCOMPARE(after.size(), A().PageCount() + 1);
    if (!shows_page_two) QVERIFY(after.contains(two_code));
    QVERIFY(after.contains(other_version));
    QVERIFY(after.contains(legacy));
    QCOMPARE(DecodeHeader(DecodeCp932(after.at(0))), A().header);
    QVERIFY(DecodeCp932(after.at(1)).contains(u"ζ編集ζ"));
    QVERIFY(P().Notices().isEmpty());
  }

  void WritesTheJapaneseCodePageByteForByte() {
    const QString path = f_->Open("bytes.apt", {kHeader, PageWithTexts({})});
    A().header.name = "ＫＯＭＡＳＵⅡ";
    A().SetPanelLine(1, "Ⅱ①");
    QVERIFY(A().Save());
    const QByteArray bytes = ReadBytes(path);
    QVERIFY(
        bytes.startsWith(QByteArray::fromHex("2283c4826a826e826c8260827282748755"
                                             "83c4")));
    QVERIFY(
        bytes.contains(QByteArray::fromHex("83c487558740"
                                           "83c4")));
    QVERIFY(bytes.endsWith("\"\r\n"));
    QCOMPARE(bytes.count("\r\n"), 2);
    QCOMPARE(bytes.count('\n'), 2);
  }

  void NewAlbumHoldsExactlyTwoLines() {
    P().files = {File("neu")};
    QVERIFY(A().NewAlbum());
    const QString path = File("neu.apt");
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 1);
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().header, (AlbumHeader{"", "", "2026/12/09"}));
    const QByteArray bytes = ReadBytes(path);
    QCOMPARE(bytes.count("\r\n"), 2);
    QVERIFY(bytes.startsWith(EncodeCp932("\"ζζζ2026/12/09ζ\"\r\n\"ζ1ζ0ζ0ζ3.50ζ<pic>ζ")));
    QCOMPARE(SplitRecordFields(DecodeCp932(Records(path).at(1))).size(), kRecordFields);
    QCOMPARE(ReadBytes(Back()), bytes);
    QCOMPARE(P().asked.at(0).kind, QString("save"));
    QCOMPARE(P().asked.at(0).filter, QString("すべてのファイル (*.apt)"));
  }

  // The three file commands open in the file save folder of OPT.ini; a cancelled dialog
  // changes nothing.
  void CancelledFileDialogChangesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("open") << "open";
    QTest::newRow("new") << "new";
    QTest::newRow("save as") << "save as";
  }
  void CancelledFileDialogChangesNothing() {
    QFETCH(QString, command);
    WriteBytes(f_->folder.Program().OptIni(), EncodeCp932("E:\\\r\nD:\\写真\r\nD:\\アルバム\r\n"));
    f_->album = std::make_unique<Album>(f_->folder.Program(), P(), f_->clock);
    const QString path = OpenFourPages();
    A().SetPanelLine(1, "未保存");
    const QByteArray file = ReadBytes(path), back = ReadBytes(Back());
    bool done = true;
    if (command == "open") done = A().OpenAlbum();
    if (command == "new") done = A().NewAlbum();
    if (command == "save as") done = A().SaveAlbumAs();
    QVERIFY(!done);
    QCOMPARE(P().asked.size(), 1u);
    QCOMPARE(P().asked.at(0).folder, QString("D:\\アルバム"));
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().page.lines[1].text, QString("未保存"));
    QCOMPARE(ReadBytes(path), file);
    QCOMPARE(ReadBytes(Back()), back);
  }

  void NamesGetTheAlbumExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("created");
    QTest::newRow("no extension") << "a"
                                  << "a.apt";
    QTest::newRow("extension") << "b.apt"
                               << "b.apt";
    QTest::newRow("capital extension") << "c.APT"
                                       << "c.APT.apt";
    QTest::newRow("other extension") << "d.txt"
                                     << "d.txt.apt";
  }
  void NamesGetTheAlbumExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, created);
    P().files = {File(typed)};
    QVERIFY(A().NewAlbum());
    QCOMPARE(A().Path(), File(created));
    QCOMPARE(QDir(f_->folder.Path()).entryList({"*.apt", "*.APT", "*.txt"}).count(created), 1);
  }

  // The question is about the file that would be replaced, so a name typed without the
  // extension asks as well.
  void NewAlbumOverAnExistingFileAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("typed");
    QTest::newRow("yes replaces") << true << "four.apt";
    QTest::newRow("no keeps") << false << "four.apt";
    QTest::newRow("typed without extension, no keeps") << false << "four";
  }
  void NewAlbumOverAnExistingFileAsksFirst() {
    QFETCH(bool, yes);
    QFETCH(QString, typed);
    const QString path = OpenFourPages();
    const QByteArray before = ReadBytes(path);
    P().asked.clear();
    P().files = {File(typed)};
    P().yes_no = {yes};
    QCOMPARE(A().NewAlbum(), yes);
    QCOMPARE(P().asked.size(), 2u);
    const ScriptedPrompter::Asked& q = P().asked.at(1);
    QCOMPARE(q.text, QString("同じファイル名が存在します！上書きしますか？"));
    QCOMPARE(q.title, QString("上書き"));
    QCOMPARE(q.icon, MessageIcon::kQuestion);
    QVERIFY(q.default_no);
    if (yes) {
      QCOMPARE(ReadBytes(path).count("\r\n"), 2);
      QCOMPARE(A().PageCount(), 1);
    } else {
      QCOMPARE(ReadBytes(path), before);
      QCOMPARE(A().PageCount(), 4);
    }
  }

  // The old file returns to its snapshot, the new one holds every change, page 1 is shown.
  void SaveAsLeavesTheOldFileAtItsSnapshot() {
    const QString old_path = OpenFourPages();
    const QByteArray opened = ReadBytes(old_path);
    A().SetPanelLine(3, "一頁目の変更");
    A().NextPage();
    A().NextPage();
    A().SetPanelLine(3, "三頁目の変更");
    P().files = {File("copy")};
    QVERIFY(A().SaveAlbumAs());
    const QString new_path = File("copy.apt");
    QCOMPARE(ReadBytes(old_path), opened);
    QCOMPARE(A().Path(), new_path);
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().PageCount(), 4);
    QCOMPARE(A().page.lines[3].text, QString("一頁目の変更"));
    const QList<QByteArray> saved = Records(new_path);
    QVERIFY(DecodeCp932(saved.at(3)).contains(u"ζ三頁目の変更ζ"));
    QCOMPARE(saved.at(4), EncodeCp932(PageWithTexts({"4"})));
    QCOMPARE(ReadBytes(Back()), ReadBytes(new_path));
  }

  void SaveAsOntoItsOwnFileLosesNothing() {
    const QString path = OpenFourPages();
    A().SetPanelLine(3, "変更");
    P().files = {path};
    P().yes_no = {true};
    QVERIFY(A().SaveAlbumAs());
    QCOMPARE(A().Path(), path);
    QVERIFY(DecodeCp932(Records(path).at(1)).contains(u"ζ変更ζ"));
    QCOMPARE(ReadBytes(Back()), ReadBytes(path));
    A().modified = true;
    P().yes_no = {false};
    QVERIFY(A().ConfirmClose());
    QVERIFY(DecodeCp932(Records(path).at(1)).contains(u"ζ変更ζ"));
  }

  void ClosingAsksOnlyWhenModified_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("page_one_text");
    QTest::newRow("unmodified") << false << true << "一";
    QTest::newRow("yes saves") << true << true << "閉じる前";
    QTest::newRow("no restores the snapshot") << true << false << "一";
  }
  void ClosingAsksOnlyWhenModified() {
    QFETCH(bool, modified);
    QFETCH(bool, yes);
    QFETCH(QString, page_one_text);
    const QString path = OpenFourPages();
    A().NextPage();
    A().FirstPage();  // the file now differs from the snapshot
    A().SetPanelLine(1, "閉じる前");
    A().modified = modified;
    P().yes_no = {yes};
    P().asked.clear();
    QVERIFY(A().ConfirmClose());
    QCOMPARE(P().asked.size(), modified ? 1u : 0u);
    if (modified) {
      QCOMPARE(P().asked.at(0).text, QString("アルバムを保存しますか"));
      QCOMPARE(P().asked.at(0).title, QString("確認"));
    }
    QCOMPARE(A().page.lines[1].text, QString("閉じる前"));
    PageContent stored;
    DecodePageRecord(DecodeCp932(Records(path).at(1)), stored);
    QCOMPARE(stored.lines[1].text, page_one_text);
    if (!yes) QCOMPARE(ReadBytes(path), ReadBytes(Back()));
  }

  // "上書き保存" renews the snapshot, so No at closing does not undo an explicit save.
  void SaveRenewsTheSnapshot() {
    const QString path = OpenFourPages();
    A().SetPanelLine(1, "保存済み");
    QVERIFY(A().Save());
    QVERIFY(!A().modified);
    QCOMPARE(ReadBytes(Back()), ReadBytes(path));
    A().SetPanelLine(1, "未保存");
    A().NextPage();
    P().yes_no = {false};
    QVERIFY(A().ConfirmClose());
    QVERIFY(DecodeCp932(Records(path).at(1)).contains(u"ζ保存済みζ"));
  }

  void DeletingAPageRenewsTheSnapshot() {
    const QString path = OpenFourPages();
    A().JumpToPage(3);
    A().DeleteCurrentPage();
    QCOMPARE(A().PageCount(), 3);
    QCOMPARE(A().CurrentPage(), 3);
    QCOMPARE(A().page.lines[0].text, QString("4"));
    QCOMPARE(ReadBytes(Back()), ReadBytes(path));
    A().modified = true;
    P().yes_no = {false};
    A().ConfirmClose();
    QCOMPARE(Records(path).size(), 4);
  }

  void MultiLineLabelSurvivesRewrites() {
    const QString path = f_->Open("label.apt", {kHeader, PageWithTexts({"1"}), PageWithTexts({})});
    A().page.Label(2).text = "上の行\r\n下の行";
    A().page.Label(20).text = "保存されないラベル";
    A().NextPage();
    A().FirstPage();
    QCOMPARE(A().page.Label(2).text, QString("上の行\r\n下の行"));
    QVERIFY(A().page.Label(2).visible);
    QCOMPARE(A().page.Label(20).text, QString());
    A().SaveCurrentPage();
    QCOMPARE(Records(path).size(), 3);
    A().OpenAlbumAt(path);
    QCOMPARE(A().page.Label(2).text, QString("上の行\r\n下の行"));
  }

  void RefusesAPageBeyond499_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("pages_after");
    QTest::newRow("append at 499") << 499 << false << 499;
    QTest::newRow("insert at 499") << 499 << true << 499;
    QTest::newRow("append at 498") << 498 << false << 499;
    QTest::newRow("insert at 498") << 498 << true << 499;
  }
  void RefusesAPageBeyond499() {
    QFETCH(int, pages);
    QFETCH(bool, insert);
    QFETCH(int, pages_after);
    QList<QByteArray> records{EncodeCp932(kHeader)};
    for (int i = 0; i < pages; ++i) records << EncodeCp932(QString("ζ1ζ0ζ%1ζ").arg(i % 2));
    WriteBytes(File("big.apt"), JoinAlbumRecords(records));
    A().OpenAlbumAt(File("big.apt"));
    QCOMPARE(A().PageCount(), pages);
    insert ? A().InsertPage() : A().AppendPage();
    QCOMPARE(A().PageCount(), pages_after);
    const bool refused = pages_after == pages;
    QCOMPARE(P().Notices(), refused ? QStringList{kLimitMessage} : QStringList{});
    if (refused) QCOMPARE(Records(File("big.apt")), records);
    if (insert && !refused) QCOMPARE(Records(File("big.apt")).size(), 500);
  }

  // A rewrite that fails keeps the old file, tells the user, and stays on the page.
  void FailedRewriteKeepsTheOldFile_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("write-back") << "save";
    QTest::newRow("上書き保存") << "keep";
    QTest::newRow("next page") << "next";
    QTest::newRow("closing, yes") << "close";
  }
  void FailedRewriteKeepsTheOldFile() {
    QFETCH(QString, command);
    const QString path = OpenFourPages();
    const QByteArray before = ReadBytes(path);
    A().SetPanelLine(5, "書けない変更");
    A().modified = true;
    bool ok = true;
    {
      FileSizeLimit limit(before.size() / 2);
      if (command == "save") ok = A().SaveCurrentPage();
      if (command == "keep") ok = A().Save();
      if (command == "next") A().NextPage();
      if (command == "close") {
        P().yes_no = {true};
        ok = A().ConfirmClose();
      }
    }
    QVERIFY(!ok || command == "next");
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(P().Notices().size(), 1);
    QVERIFY(P().Notices().at(0).startsWith(kSaveFailed));
    QCOMPARE(A().CurrentPage(), 1);
    QCOMPARE(A().page.lines[5].text, QString("書けない変更"));
    QVERIFY(A().modified);
    QCOMPARE(QDir(f_->folder.Path()).entryList({"four.apt*"}), QStringList{"four.apt"});
  }

  void FailedNewAlbumOrSaveAsKeepsTheOpenAlbum_data() {
    QTest::addColumn<bool>("save_as");
    QTest::newRow("new album") << false;
    QTest::newRow("save as") << true;
  }
  void FailedNewAlbumOrSaveAsKeepsTheOpenAlbum() {
    QFETCH(bool, save_as);
    const QString path = OpenFourPages();
    WriteBytes(File("plain"), "a file, not a folder");
    P().files = {File("plain/target")};
    QVERIFY(!(save_as ? A().SaveAlbumAs() : A().NewAlbum()));
    QCOMPARE(A().Path(), path);
    QCOMPARE(A().PageCount(), 4);
    QCOMPARE(P().Notices().size(), 1);
    QVERIFY(P().Notices().at(0).contains("target.apt"));
    QCOMPARE(Records(path).size(), 5);
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
    QTest::newRow("binary") << binary << true;
    QTest::newRow("utf-8 text") << QString("\"ζ名前ζ\"\r\n\"ζ1ζ0ζ0ζ3.50ζ<pic>ζ\"\r\n").toUtf8()
                                << true;
    QTest::newRow("text after a quote") << QByteArray("\"\"\"\"\"") << false;
    QTest::newRow("empty records") << QByteArray("\"\"\r\n\"\"\r\n") << true;
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

  // A page of another format version shows empty and its record is written back as it was.
  void OtherVersionPageIsKept() {
    const QString path = OpenFourPages();
    QList<QByteArray> records = Records(path);
    records[1] = OtherVersionRecord();
    WriteBytes(path, JoinAlbumRecords(records));
    A().OpenAlbumAt(path);
    QVERIFY(A().ShownRecordPreserved());
    QCOMPARE(A().page.lines[0].text, QString());
    QVERIFY(!A().page.lines[0].visible);
    QVERIFY(A().SaveCurrentPage());
    A().NextPage();
    A().FirstPage();
    QCOMPARE(Records(path).at(1), OtherVersionRecord());
  }

  // Photo geometry comes from the layout; an empty slot keeps the cleared geometry, a
  // missing photo file keeps its path; callout lines show when their X1 is not 0.
  void ShownPageFollowsTheLayoutRules() {
    PageContent page;
    page.Photo(1).path = File("missing.jpg");
    page.Photo(2) = {7100, 3800, 3100, 2325, QString(), true};
    page.callouts[0].line = {0, 100, 0, 100, true};
    page.callouts[1].line = {5, 100, 5, 100, false};
    page.callouts[1].arrow_a = {5, 1, 5, 1, false};
    page.callouts[1].arrow_b = {5, 1, 5, 1, true};
    const QString path = f_->Open("layout.apt", {kHeader, SerializePage(page)});
    QVERIFY(!A().page.callouts[0].line.visible);
    QVERIFY(A().page.callouts[1].line.visible);
    QVERIFY(!A().page.callouts[1].arrow_a.visible);
    QVERIFY(A().page.callouts[1].arrow_b.visible);
    QCOMPARE(A().page.Photo(1).path, File("missing.jpg"));
    for (int i = 0; i < 3; ++i) {
      A().SaveCurrentPage();
      A().OpenAlbumAt(path);
    }
    const QStringList fields = SplitRecordFields(DecodeCp932(Records(path).at(1)));
    QCOMPARE(fields.at(9), File("missing.jpg"));
    QCOMPARE(fields.mid(10, 5), (QStringList{"6840", "360", "375", "375", ""}));
  }

  void RefusesTextTheFileCannotHold() {
    const QString path = OpenFourPages();
    const QByteArray before = ReadBytes(path);
    A().header.author = "José";
    QVERIFY(!A().SaveCurrentPage());
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(P().Notices().size(), 1);
    QVERIFY(P().Notices().at(0).contains("文字「é」は保存できないため使用できません。"));
  }

  // A snapshot left by another album (an earlier run) must never replace this album.
  void ForeignSnapshotIsNeverRestored() {
    WriteBytes(Back(), JoinAlbumRecords({EncodeCp932(kHeader), EncodeCp932("ζ1ζ0ζ0ζ")}));
    const QByteArray foreign = ReadBytes(Back());
    WriteBytes(File("mine.apt"),
               JoinAlbumRecords({EncodeCp932(kHeader), EncodeCp932(PageWithTexts({"私の"}))}));
    const QByteArray mine = ReadBytes(File("mine.apt"));
    {
      FileSizeLimit limit(foreign.size() + 10);  // the snapshot of "mine" cannot be written
      QVERIFY(A().OpenAlbumAt(File("mine.apt")));
      A().modified = true;
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
