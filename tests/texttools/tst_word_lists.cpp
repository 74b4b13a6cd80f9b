#include <QtTest>

#include "platform/cp932.h"
#include "platform/settings_values.h"
#include "support/test_folder.h"
#include "texttools/list_ini.h"
#include "texttools/word_list_model.h"

using namespace komasu;
using namespace komasu::test;

namespace {

using Answer = std::optional<QString>;

QByteArray Cp932Lines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& l : lines) bytes += EncodeCp932(l) + "\r\n";
  return bytes;
}

QStringList FileLines(const QString& path) {
  QStringList lines = DecodeCp932(ReadBytes(path)).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

QStringList Records(const ListIni& file) {
  QStringList out;
  for (int k = 0; k < kWordListCategories; ++k) out << file.Record(k);
  return out;
}

QStringList TenRecords(QStringList first) {
  while (first.size() < kWordListCategories) first << QString();
  return first;
}

}  // namespace

class TstWordLists : public QObject {
  Q_OBJECT
 private slots:
  void SplitsRecordsIntoItems_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("name and words")
        << "ζ土工ζ基礎工ζ鉄筋工ζ" << QStringList{"土工", "基礎工", "鉄筋工"};
    QTest::newRow("name only") << "ζ工程ζ" << QStringList{"工程"};
    QTest::newRow("empty name, no words") << "ζζ" << QStringList{""};
    QTest::newRow("empty name, words") << "ζζ幅ζ" << QStringList{"", "幅"};
    QTest::newRow("empty word kept") << "ζ場所ζζ右岸ζ" << QStringList{"場所", "", "右岸"};
    QTest::newRow("empty record") << "" << QStringList{};
    QTest::newRow("lone separator") << "ζ" << QStringList{};
    // Hand-edited lines: nothing that can be shown is dropped.
    QTest::newRow("no closing separator")
        << "ζ材料ζ鉄筋ζ砕石" << QStringList{"材料", "鉄筋", "砕石"};
    QTest::newRow("no separator at all") << "安全" << QStringList{"安全"};
    QTest::newRow("blanks kept") << "ζ 機械 ζ ローラー ζ" << QStringList{" 機械 ", " ローラー "};
  }
  void SplitsRecordsIntoItems() {
    QFETCH(QString, record);
    QTEST(SplitWordListRecord(record), "items");
    QStringList items = SplitWordListRecord(record);
    if (items.isEmpty() || !record.endsWith(u'ζ') || !record.startsWith(u'ζ')) return;
    const QString name = items.takeFirst();
    QCOMPARE(JoinWordListRecord(name, items), record);
  }

  // The ten records are the first ten settings values of the file.
  void ReadsTenValues_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("missing file") << QByteArray() << TenRecords({});
    QTest::newRow("three lines") << Cp932Lines({"ζaζ", "ζbζxζ", "ζζ"})
                                 << TenRecords({"ζaζ", "ζbζxζ", "ζζ"});
    // A comma written by an older version splits its record and shifts the later ones.
    QTest::newRow("comma splits") << Cp932Lines({"ζaζ1,2ζ", "ζbζ"})
                                  << TenRecords({"ζaζ1", "2ζ", "ζbζ"});
    QTest::newRow("quoted") << Cp932Lines({"\"ζa,bζ\"", "ζcζ"}) << TenRecords({"ζa,bζ", "ζcζ"});
    QTest::newRow("LF only") << QByteArray("a\nb\n") << TenRecords({"a", "b"});
    QStringList twelve;
    for (int k = 1; k <= 12; ++k) twelve << QStringLiteral("ζ%1ζ").arg(k);
    QTest::newRow("twelve lines") << Cp932Lines(twelve) << twelve.mid(0, 10);
  }
  void ReadsTenValues() {
    QFETCH(QByteArray, bytes);
    TestFolder folder;
    const QString path = folder.File(QStringLiteral("list.ini"));
    QFile::remove(path);
    if (!bytes.isEmpty()) WriteBytes(path, bytes);
    QTEST(Records(ListIni::Read(path)), "records");
  }

  // Saving rewrites only the shown record; the others keep their bytes, even those CP932
  // reads as another character's code (87 90 "≒" would be written back as 81 E0).
  void SaveKeepsOtherRecordsByteForByte() {
    AlbumFixture f;
    const QString path = f.folder.Program().ListIni();
    QByteArray bytes = Cp932Lines({"ζ工種ζ土工ζ"});
    bytes += QByteArray("\x83\xc4\x82\xa0\x87\x90\x83\xc4\r\n");  // ζ あ≒ ζ
    bytes += Cp932Lines({"ζ材料ζ鉄筋ζ砕石"});                     // no closing separator
    WriteBytes(path, bytes);
    WordListModel model(f.folder.Program(), f.prompter);
    model.Load();
    QCOMPARE(model.TabCaption(1), QStringLiteral("あ≒"));
    f.prompter.texts = {QStringLiteral("型枠工")};
    QVERIFY(model.Add());
    const QByteArray expected = Cp932Lines({"ζ工種ζ土工ζ型枠工ζ"}) +
                                bytes.mid(Cp932Lines({"ζ工種ζ土工ζ"}).size()) +
                                QByteArray("\r\n").repeated(7);
    QCOMPARE(ReadBytes(path), expected);
    // The malformed record is shown whole and written well-formed once it is saved.
    model.SelectTab(2);
    QCOMPARE(model.Words(), QStringList({"鉄筋", "砕石"}));
    QVERIFY(model.Save());
    QCOMPARE(FileLines(path).at(2), QStringLiteral("ζ材料ζ鉄筋ζ砕石ζ"));
  }

  // A category far beyond 4999 words loads and saves whole.
  void LongCategoryLosesNoWord() {
    AlbumFixture f;
    QStringList words;
    for (int i = 1; i <= 6000; ++i) words << QString::number(i);
    WriteTextLines(f.folder.Program().ListIni(), {JoinWordListRecord("多い", words)});
    WordListModel model(f.folder.Program(), f.prompter);
    model.Load();
    QCOMPARE(model.Words().size(), 6000);
    f.prompter.texts = {QStringLiteral("最後")};
    QVERIFY(model.Add());
    QCOMPARE(FileLines(f.folder.Program().ListIni()).at(0),
             JoinWordListRecord("多い", words << QStringLiteral("最後")));
  }

  // One command on the first tab, whose record is `record`, with the scripted answers; `saved`
  // is the record in the file afterwards, empty when the file must stay untouched.
  void Commands_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QList<bool>>("yes_no");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("notice");
    const QList<bool> none;
    QTest::newRow("add to a category without words")
        << "ζ名ζ"
        << "add" << -1 << Answer("語") << none << "ζ名ζ語ζ"
        << "";
    QTest::newRow("add appends") << "ζ名ζaζ"
                                 << "add" << 0 << Answer("b") << none << "ζ名ζaζbζ"
                                 << "";
    QTest::newRow("add cancelled, No") << "ζ名ζaζ"
                                       << "add" << -1 << Answer() << QList{false} << ""
                                       << "";
    QTest::newRow("add cancelled, Yes") << "ζ名ζaζ"
                                        << "add" << -1 << Answer() << QList{true} << "ζ名ζaζ"
                                        << "";
    QTest::newRow("rename") << "ζ名ζaζ"
                            << "rename" << -1 << Answer("新") << none << "ζ新ζaζ"
                            << "";
    QTest::newRow("rename to empty, Yes") << "ζ名ζaζ"
                                          << "rename" << -1 << Answer("") << QList{true} << "ζζaζ"
                                          << "";
    QTest::newRow("rename to empty, No") << "ζ名ζaζ"
                                         << "rename" << -1 << Answer("") << QList{false} << ""
                                         << "";
    QTest::newRow("delete the only word") << "ζ名ζaζ"
                                          << "delete" << 0 << Answer() << none << "ζ名ζ"
                                          << "";
    QTest::newRow("delete the selected word") << "ζ名ζaζbζcζ"
                                              << "delete" << 1 << Answer() << none << "ζ名ζaζcζ"
                                              << "";
    QTest::newRow("delete without selection saves")
        << "ζ名ζaζ"
        << "delete" << -1 << Answer() << none << "ζ名ζaζ"
        << "";
    QTest::newRow("delete from an empty list") << "ζ名ζ"
                                               << "delete" << -1 << Answer() << none << ""
                                               << "";
    // What list.ini cannot hold is refused before anything changes.
    const QString comma = "半角のカンマ（,）は使用できません。全角の「，」をお使いください。";
    QTest::newRow("comma in a word") << "ζ名ζ"
                                     << "add" << -1 << Answer("1,5m") << none << "" << comma;
    QTest::newRow("comma in a name") << "ζ名ζ"
                                     << "rename" << -1 << Answer("幅,高さ") << none << "" << comma;
    QTest::newRow("separator") << "ζ名ζ"
                               << "add" << -1 << Answer("aζb") << none << ""
                               << "「ζ」は補助文字の区切り文字のため使用できません。";
    QTest::newRow("line break") << "ζ名ζ"
                                << "add" << -1 << Answer("a\nb") << none << ""
                                << "改行は使用できません。";
    QTest::newRow("outside CP932") << "ζ名ζ"
                                   << "rename" << -1 << Answer("café") << none << ""
                                   << "文字「é」は保存できないため使用できません。";
    QTest::newRow("full-width comma is fine")
        << "ζ名ζ"
        << "add" << -1 << Answer("幅，高さ") << none << "ζ名ζ幅，高さζ"
        << "";
  }
  void Commands() {
    QFETCH(QString, record);
    QFETCH(QString, command);
    QFETCH(int, selected);
    QFETCH(Answer, answer);
    QFETCH(QList<bool>, yes_no);
    QFETCH(QString, saved);
    QFETCH(QString, notice);
    AlbumFixture f;
    const QString path = f.folder.Program().ListIni();
    WriteTextLines(path, {record, QStringLiteral("ζ二ζxζ")});
    const QByteArray before = ReadBytes(path);
    WordListModel model(f.folder.Program(), f.prompter);
    model.Load();
    model.SelectWord(selected);
    f.prompter.texts = {answer};
    f.prompter.yes_no = std::deque<bool>(yes_no.cbegin(), yes_no.cend());
    bool done = false;
    if (command == u"add") {
      done = model.Add();
    } else if (command == u"rename") {
      done = model.Rename();
    } else if (command == u"delete") {
      done = model.Delete();
    } else {
      QFAIL(qPrintable("unknown command " + command));
    }
    QCOMPARE(done, !saved.isEmpty());
    QCOMPARE(f.prompter.Notices(), notice.isEmpty() ? QStringList() : QStringList{notice});
    QStringList expected = TenRecords({saved.isEmpty() ? record : saved, "ζ二ζxζ"});
    QCOMPARE(FileLines(path), saved.isEmpty() ? expected.mid(0, 2) : expected);
    if (saved.isEmpty()) QCOMPARE(ReadBytes(path), before);
    QCOMPARE(model.TabCaption(0), SplitWordListRecord(expected[0]).value(0));
    if (command == u"add") {
      QCOMPARE(f.prompter.asked.at(0).text, QStringLiteral("追加項目を入力してください"));
      QCOMPARE(f.prompter.asked.at(0).title, QStringLiteral("リスト"));
    } else if (command == u"rename") {
      QCOMPARE(f.prompter.asked.at(0).text, QStringLiteral("分類名を入力してください"));
      QCOMPARE(f.prompter.asked.at(0).title, QStringLiteral("分類名"));
      QCOMPARE(f.prompter.asked.at(0).folder, QStringLiteral("名"));  // the default text
    }
    if (!yes_no.isEmpty()) {
      QCOMPARE(f.prompter.asked.at(1).text, QStringLiteral("空白にしますか"));
      QCOMPARE(f.prompter.asked.at(1).title, QStringLiteral("確認"));
      QCOMPARE(f.prompter.asked.at(1).icon, MessageIcon::kQuestion);
    }
  }

  void TabsKeepTheirOwnWordsInOrder() {
    AlbumFixture f;
    WriteTextLines(f.folder.Program().ListIni(), {});
    WordListModel model(f.folder.Program(), f.prompter);
    model.Load();
    for (int k = 0; k < kWordListCategories; ++k) QCOMPARE(model.TabCaption(k), QString());
    model.SelectTab(3);
    f.prompter.texts = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("四")};
    QVERIFY(model.Add());
    QVERIFY(model.Add());
    QVERIFY(model.Rename());
    model.SelectTab(0);
    QVERIFY(model.Words().isEmpty());
    model.SelectTab(3);
    QCOMPARE(model.Words(), QStringList({"甲", "乙"}));
    QCOMPARE(model.TabCaption(3), QStringLiteral("四"));
    WordListModel reread(f.folder.Program(), f.prompter);
    reread.Load();
    QCOMPARE(reread.TabCaption(3), QStringLiteral("四"));
    QCOMPARE(FileLines(f.folder.Program().ListIni()), TenRecords({"", "", "", "ζ四ζ甲ζ乙ζ"}));
  }

  // list.ini replaced while the word list is open (a settings migration): commands work on the
  // new file, and neither they nor closing write the stale copy over it. Word "b" (index 1)
  // was selected before the file was replaced.
  void ReplacedFileIsTakenUp_data() {
    QTest::addColumn<QByteArray>("replaced");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("notice");
    const QByteArray migrated = Cp932Lines({"ζ移ζpζqζ"});
    QTest::newRow("close") << migrated << "close" << migrated << "";
    QTest::newRow("add") << migrated << "add" << Cp932Lines(TenRecords({"ζ移ζpζqζ新ζ"})) << "";
    QTest::newRow("delete, selected word gone")
        << migrated << "delete" << Cp932Lines(TenRecords({"ζ移ζpζqζ"})) << "";
    QTest::newRow("delete, selected word in place")
        << Cp932Lines({"ζ移ζaζbζcζ"}) << "delete" << Cp932Lines(TenRecords({"ζ移ζaζcζ"})) << "";
    const QByteArray too_large(kMaxListIniBytes + 1, 'x');
    QTest::newRow("too large, add") << too_large << "add" << too_large << "大きすぎる";
    QTest::newRow("too large, close") << too_large << "close" << too_large << "大きすぎる";
  }
  void ReplacedFileIsTakenUp() {
    QFETCH(QByteArray, replaced);
    QFETCH(QString, command);
    QFETCH(QString, notice);
    AlbumFixture f;
    const QString path = f.folder.Program().ListIni();
    WriteTextLines(path, {QStringLiteral("ζ一ζaζbζ"), QStringLiteral("ζ二ζxζ")});
    WordListModel model(f.folder.Program(), f.prompter);
    model.Load();
    model.SelectWord(1);
    QVERIFY(WriteFileAtomically(path, replaced).ok);
    f.prompter.texts = {QStringLiteral("新")};
    if (command == u"close") {
      model.Close();
    } else {
      command == u"add" ? model.Add() : model.Delete();
    }
    QTEST(ReadBytes(path), "expected");
    const QStringList notices = f.prompter.Notices();
    QCOMPARE(notices.isEmpty(), notice.isEmpty());
    for (const QString& n : notices) QVERIFY2(n.contains(notice), qPrintable(n));
  }

  // A failed write is reported, and the old file stays.
  void FailedWriteIsReported() {
    AlbumFixture f;
    const QString path = f.folder.Program().ListIni();
    const QByteArray before = ReadBytes(path);
    WordListModel model(f.folder.Program(), f.prompter);
    model.Load();
    f.prompter.texts = {QStringLiteral("長い言葉")};
    {
      FileSizeLimit limit(8);
      QVERIFY(!model.Add());
    }
    QCOMPARE(f.prompter.Notices().size(), 1);
    QCOMPARE(ReadBytes(path), before);
  }
};

QTEST_GUILESS_MAIN(TstWordLists)
#include "tst_word_lists.moc"
