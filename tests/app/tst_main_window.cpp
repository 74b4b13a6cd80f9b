#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "app/help_window.h"
#include "app/main_window.h"
#include "platform/text_file.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

class TstMainWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<AlbumFixture> f_;
  std::unique_ptr<MainWindow> window_;

  QString OpenTwoPages() {
    return f_->Open("a.apt", {"ζ名前ζ作者ζ2026/01/02ζ", PageWithTexts({"1", "上の説明"}),
                              PageWithTexts({"4"})});
  }

 private slots:
  void init() {
    f_ = std::make_unique<AlbumFixture>();
    window_ = std::make_unique<MainWindow>(*f_->editor, f_->prompter);
  }
  void cleanup() {
    window_.reset();
    f_.reset();
  }

  void CommandsCarryCaptionsAndTooltips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const char* rows[][2] = {{"f0", "新規アルバム"},
                             {"f1", "アルバムを開く"},
                             {"f3", "上書き保存"},
                             {"f4", "名前を付けて保存"},
                             {"fc1", "CSV読込"},
                             {"fc2", "CSV書出"},
                             {"f7", "印刷"},
                             {"f9", "閉じる"},
                             {"e5", "コピー"},
                             {"e6", "連番"},
                             {"e1", "写真編集"},
                             {"e4", "補助文字"},
                             {"e3", "クリア"},
                             {"v1", "ページの追加"},
                             {"v5", "ページの挿入"},
                             {"v2", "ページの削除"},
                             {"v3", "ページへジャンプ"},
                             {"o1", "ドライブの設定"},
                             {"o2", "印刷設定"},
                             {"H3", "バージョン情報"},
                             {"o3", "前Verから設定移行"},
                             {"H1", "ヘルプ"}};
    for (const auto& r : rows) QTest::newRow(r[0]) << QString(r[0]) << QString::fromUtf8(r[1]);
    const char* tips[][2] = {{"fileV1", "新規アルバム"},
                             {"fileV2", "アルバムを開く"},
                             {"fileV3", "上書き保存"},
                             {"fileV4", "名前を付けて保存"},
                             {"fileV5", "印刷"},
                             {"hensV1", "写真編集"},
                             {"hensV2", "補助文字"},
                             {"pergV1", "ページの追加"},
                             {"Command7", "ページの挿入"},
                             {"pergV2", "ページの削除"},
                             {"pergV3", "ページへジャンプ"},
                             {"Command4", "コピーツール"}};
    for (const auto& r : tips) QTest::newRow(r[0]) << QString(r[0]) << QString::fromUtf8(r[1]);
  }
  void CommandsCarryCaptionsAndTooltips() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QAction* a = window_->Command(name);
    QVERIFY2(a, qPrintable(name));
    QCOMPARE(a->objectName(), name);
    if (name.startsWith('f') && !name.startsWith("file")) {
      QCOMPARE(a->text(), caption);
    } else if (name.size() <= 3 || name.startsWith('H') || name.startsWith('o') ||
               name.startsWith('e') || name.startsWith('v')) {
      QCOMPARE(a->text(), caption);
    } else {
      QCOMPARE(a->toolTip(), caption);
    }
  }

  // The CSV menu items: text typed on the shown page goes out, an edited file comes back.
  void CsvMenuCommandsExportAndImport() {
    const QString path = OpenTwoPages();
    Edit(*f_->album, [](PageContent& p) { p.Line(0, 2).text = QStringLiteral("打った"); });
    const QString csv = f_->folder.File(QStringLiteral("t.csv"));
    f_->prompter.yes_no = {true};
    f_->prompter.files = {csv, csv};
    window_->Command("fc2")->trigger();
    const QByteArray exported = ReadFileBytes(csv);
    QVERIFY(exported.startsWith("1,\x8f\xe3\x82\xcc\x90\xe0\x96\xbe,\x91\xc5\x82\xc1\x82\xbd,"));
    QCOMPARE(f_->album->CurrentPage(), 2);
    WriteBytes(csv, QByteArray(exported).replace("1,", "01,"));
    window_->Command("fc1")->trigger();
    QCOMPARE(f_->prompter.Notices(),
             QStringList({"CSVデータ保存しました", "CSVデータ読込完了しました"}));
    QCOMPARE(f_->album->CurrentPage(), 1);
    QCOMPARE(f_->album->Page().Line(0, 0).text, QStringLiteral("01"));
    QCOMPARE(ReadAlbum(path).size(), 3);
  }

  void SeparatorsAndTitle() {
    QCOMPARE(window_->windowTitle(), QString("ＫＯＭＡＳＵⅡ"));
    QCOMPARE(window_->objectName(), QString("pritm"));
    for (const char* name : {"f2", "f5", "f111", "f8", "e7", "e2", "hh"}) {
      QAction* s = window_->Command(name);
      QVERIFY2(s && s->isSeparator(), name);
    }
  }

  void AlbumCommandsWaitForAPage() {
    const QStringList album_commands = {"f3", "f4", "f7", "e1", "e3", "e4", "v1", "v2", "v3"};
    for (const QString& n : album_commands)
      QVERIFY2(!window_->Command(n)->isEnabled(), qPrintable(n));
    QVERIFY(window_->Command("f0")->isEnabled());
    QVERIFY(window_->Command("f1")->isEnabled());
    OpenTwoPages();
    for (const QString& n : album_commands)
      QVERIFY2(window_->Command(n)->isEnabled(), qPrintable(n));
  }

  // An album opened read-only says so, shows its page and cover, and offers no command that
  // would change the file; "上書き保存" says why it does not save.
  void ReadOnlyAlbumSaysSoAndRefusesChanges() {
    const QString path = f_->folder.File("a.apt");
    WriteAlbum(path, {"ζ名前ζ作者ζ2026/01/02ζ", PageWithTexts({"1", "上の説明"})});
    ScriptedPrompter other_prompter;
    Album other(f_->folder.Program(), other_prompter, f_->clock);
    QVERIFY(other.OpenAlbumAt(path));
    f_->prompter.yes_no = {true};
    QVERIFY(f_->album->OpenAlbumAt(path));
    QCOMPARE(window_->windowTitle(), QString("ＫＯＭＡＳＵⅡ［読み取り専用］"));
    QVERIFY(window_->findChild<QLabel*>("Label17")->text().endsWith("（読み取り専用）"));
    auto* name = window_->findChild<QLineEdit*>("Text16(0)");
    QCOMPARE(name->text(), QString("名前"));
    QVERIFY(name->isReadOnly());
    auto* line = window_->findChild<QLineEdit*>("Text4(1)");
    QCOMPARE(line->text(), QString("上の説明"));
    QVERIFY(line->isReadOnly());
    QVERIFY(!window_->findChild<QLabel*>("readOnlyNote")->isVisibleTo(window_.get()));
    for (const char* n : {"v1", "v5", "v2", "pergV1", "Command7", "pergV2"})
      QVERIFY2(!window_->Command(n)->isEnabled(), n);
    for (const char* n : {"f3", "f7", "Command1(2)"}) QVERIFY2(window_->Command(n)->isEnabled(), n);
    const QByteArray before = ReadBytes(path);
    window_->Command("f3")->trigger();
    QCOMPARE(
        f_->prompter.Notices(),
        QStringList{QString("アルバム「%1」は読み取り専用で開いているため、変更を保存できません。")
                        .arg(QDir::toNativeSeparators(path))});
    QCOMPARE(ReadBytes(path), before);
  }

  void PageNumbersAndCoverFieldsFollowTheAlbum() {
    auto* number = window_->findChild<QLineEdit*>("Text5");
    auto* count = window_->findChild<QLineEdit*>("Text6");
    QCOMPARE(number->text(), QString("000"));
    QCOMPARE(count->text(), QString("000"));
    OpenTwoPages();
    QCOMPARE(number->text(), QString("1"));
    QCOMPARE(count->text(), QString("2"));
    QCOMPARE(window_->findChild<QLineEdit*>("Text16(0)")->text(), QString("名前"));
    QCOMPARE(window_->findChild<QLineEdit*>("Text16(2)")->text(), QString("2026/01/02"));
    window_->Command("Command1(2)")->trigger();
    QCOMPARE(number->text(), QString("2"));
  }

  void CoverFieldRefusesUnstorableText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain") << "現場写真" << false;
    QTest::newRow("zeta") << "aζb" << true;
    QTest::newRow("quote") << "a\"b" << true;
    QTest::newRow("accent") << "café" << true;
    QTest::newRow("cp932 only") << "Ⅱ①" << false;
  }
  void CoverFieldRefusesUnstorableText() {
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    OpenTwoPages();
    auto* field = window_->findChild<QLineEdit*>("Text16(1)");
    field->selectAll();
    field->insert(typed);  // as typed or pasted
    QCoreApplication::processEvents();
    QCOMPARE(f_->album->Header().author == typed, !refused);
    QCOMPARE(field->text() == typed, !refused);
    QCOMPARE(f_->prompter.Notices().isEmpty(), !refused);
  }

  void ActivationAppliesFontInfoAndCalloutSettings() {
    OpenTwoPages();
    WriteTextLines(f_->folder.File("fontinfo.ini"),
                   {"ＭＳ 明朝", "12.5", "True", "True", "False", "255"});
    QStringList position = DefaultPositionLines();
    position[15] = "3";
    position[18] = "16711680";
    WriteTextLines(f_->folder.File("position.ini"), position);
    window_->OnActivated();
    const PageContent& page = f_->album->Page();
    QCOMPARE(page.lines[2].style.font_name, QString("ＭＳ 明朝"));
    QCOMPARE(page.lines[2].style.size, 7.5);
    QVERIFY(page.lines[2].style.strikethrough);
    QVERIFY(page.lines[2].style.bold);
    QCOMPARE(page.lines[2].style.color, 255);
    for (int s = 0; s < 3; ++s) {
      QCOMPARE(page.Line(s, 0).style.size, 8.0);
      QCOMPARE(page.Line(s, 1).style.size, 6.0);
    }
    QCOMPARE(f_->album->Callout(), (CalloutSettings{3, 100, 20, 16711680}));
  }

  void ClosingAsksOnlyWhenModified() {
    const QString path = OpenTwoPages();
    f_->commands->SetModified(false);
    QCloseEvent plain;
    QApplication::sendEvent(window_.get(), &plain);
    QVERIFY(plain.isAccepted());
    QVERIFY(f_->prompter.asked.empty());
  }

  void ClosingWithNoRestoresTheSnapshot() {
    const QString path = OpenTwoPages();
    const QByteArray opened = ReadBytes(path);
    f_->editor->SetPanelLine(1, "変更");
    f_->album->NextPage();  // writes the change into the file
    QVERIFY(ReadBytes(path) != opened);
    f_->prompter.yes_no = {false};
    QCloseEvent close;
    QApplication::sendEvent(window_.get(), &close);
    QVERIFY(close.isAccepted());
    QCOMPARE(f_->prompter.asked.back().text, QString("アルバムを保存しますか"));
    QCOMPARE(f_->prompter.asked.back().title, QString("確認"));
    QCOMPARE(ReadBytes(path), opened);
  }

  void ClosingWithYesWritesTheShownPage() {
    const QString path = OpenTwoPages();
    f_->editor->SetPanelLine(2, "閉じる前");
    f_->prompter.yes_no = {true};
    QCloseEvent close;
    QApplication::sendEvent(window_.get(), &close);
    QVERIFY(close.isAccepted());
    QVERIFY(ReadAlbum(path).at(1).contains("閉じる前"));
  }

  // Every command of the window that changes the shown page or the album marks it modified,
  // so closing asks before the change can be dropped.
  void CommandsThatChangeTheAlbumMarkItModified_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("action");  // a menu or toolbar command; otherwise a button
    const std::pair<const char*, bool> rows[] = {
        {"Command2", false},     {"Command14(0)", false}, {"Command14(1)", false},
        {"Check3", false},       {"e6", true},            {"v1", true},
        {"v5", true},            {"v2", true}};
    for (const auto& [control, action] : rows) QTest::newRow(control) << QString(control) << action;
  }
  void CommandsThatChangeTheAlbumMarkItModified() {
    QFETCH(QString, control);
    QFETCH(bool, action);
    OpenTwoPages();
    f_->commands->SetModified(false);
    f_->prompter.yes_no = {true};
    f_->prompter.texts = {QStringLiteral("1")};
    if (action) {
      QAction* a = window_->Command(control);
      QVERIFY2(a, qPrintable(control));
      a->trigger();
    } else {
      auto* button = window_->findChild<QAbstractButton*>(control);
      QVERIFY2(button, qPrintable(control));
      button->click();
    }
    QVERIFY(f_->album->IsModified());
  }

  // 閉じる asks the closing question as the close box does; キャンセル keeps everything.
  // Help needs no desktop opener: help.txt (CP932) shows in a window of the program; F1 shows
  // the same window again, read anew: the built-in help once the file is gone.
  void HelpShowsInAWindowOfTheProgram() {
    OpenTwoPages();
    const QString help = f_->folder.Program().HelpTxt();
    QVERIFY(WriteTextLines(help, {"現場のヘルプ", "２行目"}).ok);
    window_->show();
    window_->Command("H1")->trigger();
    auto* shown = window_->findChild<HelpWindow*>();
    QVERIFY(shown && shown->isVisible());
    QCOMPARE(shown->Text(), QString("現場のヘルプ\n２行目"));
    shown->close();
    QFile::remove(help);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_F1);
    QCOMPARE(window_->findChildren<HelpWindow*>().size(), 1);
    QVERIFY(shown->isVisible());
    QVERIFY(shown->Text().startsWith("ＫＯＭＡＳＵⅡ ヘルプ"));
  }

  void CloseCommandAsksAsTheCloseBox_data() {
    QTest::addColumn<std::optional<bool>>("answer");
    QTest::addColumn<bool>("stays_open");
    QTest::newRow("cancel") << std::optional<bool>() << true;
    QTest::newRow("yes") << std::optional<bool>(true) << false;
    QTest::newRow("no") << std::optional<bool>(false) << false;
  }
  void CloseCommandAsksAsTheCloseBox() {
    QFETCH(std::optional<bool>, answer);
    QFETCH(bool, stays_open);
    const QString path = OpenTwoPages();
    const QByteArray opened = ReadBytes(path);
    window_->show();
    f_->editor->SetPanelLine(2, "閉じる前");
    f_->prompter.yes_no_cancel = {answer};
    window_->Command("f9")->trigger();
    QCOMPARE(f_->prompter.asked.back().text, QString("アルバムを保存しますか"));
    QCOMPARE(window_->isVisible(), stays_open);
    QCOMPARE(f_->editor->PanelLines()[2], QString("閉じる前"));
    QCOMPARE(ReadAlbum(path).at(1).contains("閉じる前"), answer.value_or(false));
    if (!answer.value_or(true)) QCOMPARE(ReadBytes(path), opened);
  }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
