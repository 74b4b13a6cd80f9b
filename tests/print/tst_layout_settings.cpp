#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "album/layout_settings.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/qt_prompter.h"
#include "platform/text_file.h"
#include "print/layout_settings_dialog.h"
#include "print/layout_settings_form.h"
#include "support/dialog_driver.h"
#include "support/test_folder.h"

using namespace komasu;
using komasu::test::DialogDriver;
using komasu::test::ReadBytes;
using komasu::test::TestFolder;
using komasu::test::WriteBytes;

namespace {

QStringList PositionWith(int k, const QString& value) {
  QStringList lines = DefaultPositionLines();
  lines[k] = value;
  return lines;
}

// A fresh program folder with the given files, when given, and the form opened on it.
struct LoadedForm {
  TestFolder folder;
  LayoutSettingsForm form{folder.Program()};
  explicit LoadedForm(const QStringList& position = {},
                      const std::optional<SlotTextFont>& font = {}) {
    if (!position.isEmpty()) WriteTextLines(folder.Program().PositionIni(), position);
    if (font) WriteFontInfoIni(folder.Program().FontInfoIni(), *font);
    form.Load();
  }
};

}  // namespace

class TstLayoutSettings : public QObject {
  Q_OBJECT

 private slots:
  void ReadingRule_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("expected");
    // Slot 0 starts at 7 for every row: a value that does not convert leaves it there.
    QTest::newRow("plain") << QByteArray("12\r\n") << 0 << 12;
    QTest::newRow("tie to even down") << QByteArray("2.5\r\n") << 0 << 2;
    QTest::newRow("tie to even up") << QByteArray("3.5\r\n") << 0 << 4;
    QTest::newRow("negative tie") << QByteArray("-2.5\r\n") << 0 << -2;
    QTest::newRow("blanks around") << QByteArray("   -4  \r\n") << 0 << -4;
    QTest::newRow("lowest") << QByteArray("-32768\r\n") << 0 << -32768;
    QTest::newRow("above range") << QByteArray("32768\r\n") << 0 << 7;
    QTest::newRow("rounds above range") << QByteArray("32767.5\r\n") << 0 << 7;
    QTest::newRow("not a number") << QByteArray("12a\r\n") << 0 << 7;
    QTest::newRow("empty line") << QByteArray("\r\n5\r\n") << 0 << 7;
    QTest::newRow("comma ends a value") << QByteArray("1,2\r\n") << 1 << 2;
    QTest::newRow("short file") << QByteArray("1\r\n") << 5 << 7;
    QTest::newRow("colour beyond 16 bits") << QByteArray("0\r\n").repeated(18) + "16711680\r\n"
                                           << 18 << 16711680;
  }
  void ReadingRule() {
    QFETCH(QByteArray, file);
    QFETCH(int, slot);
    QFETCH(int, expected);
    TestFolder folder;
    WriteBytes(folder.Program().PositionIni(), file);
    LayoutSettings settings;
    settings.Set(0, 7);
    settings.Set(5, 7);
    settings.Read(folder.Program().PositionIni());
    QCOMPARE(settings.At(slot), expected);
  }

  // fontinfo.ini sizes keep the bounds of sizes read from records (above 0, below 2048 points):
  // one outside them is applied neither to the shown page, whose lines page moves write into
  // the album, nor to the settings form. The page takes the size minus 5.
  void FontInfoSizesKeepTheRecordBounds_data() {
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("page_size");  // 0: the line keeps its size
    QTest::addColumn<bool>("form_takes_it");
    QTest::newRow("ordinary") << "14" << 9.0 << true;
    QTest::newRow("huge") << "1e30" << 0.0 << false;
    QTest::newRow("page bound") << "2053" << 0.0 << false;
    QTest::newRow("below page bound") << "2052.5" << 2047.5 << false;
    QTest::newRow("zero on the page") << "5" << 0.0 << true;
    QTest::newRow("negative") << "-1e30" << 0.0 << false;
  }
  void FontInfoSizesKeepTheRecordBounds() {
    QFETCH(QString, size);
    QFETCH(double, page_size);
    QFETCH(bool, form_takes_it);
    komasu::test::AlbumFixture f;
    WriteTextLines(f.folder.Program().FontInfoIni(), {"ＭＳ 明朝", size});
    const double before = f.album->Page().Line(0, 2).style.size;
    f.album->ApplySettingsFiles();
    QCOMPARE(f.album->Page().Line(0, 2).style.size, page_size > 0 ? page_size : before);
    const SlotTextFont base;
    const SlotTextFont read = ReadSlotTextFont(f.folder.Program().FontInfoIni(), base);
    QCOMPARE(read.size, form_takes_it ? size.toFloat() : base.size);
  }

  void FontInfoWrittenReadBackAndBadValuesKept() {
    TestFolder folder;
    SlotTextFont font;
    font.name = QStringLiteral("ＭＳ 明朝");
    font.size = 10.5f;
    font.bold = true;
    font.color = 255;
    QVERIFY(WriteFontInfoIni(folder.Program().FontInfoIni(), font).ok);
    QCOMPARE(ReadBytes(folder.Program().FontInfoIni()),
             EncodeCp932(QStringLiteral("ＭＳ 明朝\r\n10.5\r\nFalse\r\nTrue\r\nFalse\r\n255\r\n")));
    QCOMPARE(ReadSlotTextFont(folder.Program().FontInfoIni()), font);

    WriteBytes(folder.Program().FontInfoIni(), "Font\r\nbig\r\nyes\r\nTrue\r\n");
    SlotTextFont base;
    base.size = 12;
    SlotTextFont expected = base;
    expected.name = QStringLiteral("Font");
    expected.bold = true;
    QCOMPARE(ReadSlotTextFont(folder.Program().FontInfoIni(), base), expected);
    QCOMPARE(ReadSlotTextFont(folder.File("missing.ini"), base), base);
  }

  void OpeningSetsTheOptionsFromTheFile_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("field_after");
    QTest::addColumn<int>("option");  // background: 1 white, 0 transparent; binding: index, -1
    QTest::newRow("background 1") << 14 << QStringLiteral("1") << QStringLiteral("1") << 1;
    QTest::newRow("background 3") << 14 << QStringLiteral("3") << QStringLiteral("0") << 0;
    QTest::newRow("background word") << 14 << QStringLiteral("x") << QStringLiteral("0") << 0;
    QTest::newRow("binding 2") << 19 << QStringLiteral("2") << QStringLiteral("2") << 2;
    QTest::newRow("binding 5") << 19 << QStringLiteral("5") << QStringLiteral("5") << -1;
    QTest::newRow("binding word") << 19 << QStringLiteral("abc") << QStringLiteral("abc") << -1;
  }
  void OpeningSetsTheOptionsFromTheFile() {
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, field_after);
    QFETCH(int, option);
    LoadedForm f(PositionWith(field, value));
    QCOMPARE(f.form.Field(field), field_after);
    if (field == 14) {
      QCOMPARE(f.form.Background(),
               option == 1 ? LabelBackground::kWhite : LabelBackground::kTransparent);
    } else {
      QCOMPARE(f.form.Binding(), option < 0 ? std::optional<int>() : std::optional<int>(option));
    }
    // "設定" saves the field as shown, an unselected binding as it was.
    bool numeric = false;
    field_after.toInt(&numeric);
    if (!numeric) return;
    ScriptedPrompter prompter;
    QCOMPARE(f.form.Confirm(prompter), LayoutSettingsForm::ConfirmResult::kSaved);
    QCOMPARE(ReadPositionTexts(f.folder.Program().PositionIni()).value(field), field_after);
  }

  void NumericCheck_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("saved");
    QTest::newRow("letters after digits") << "12a" << false << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("comma") << "1,5" << false << "";
    QTest::newRow("full-width letter") << "１２ａ" << false << "";
    QTest::newRow("decimal") << "2.5" << true << "2.5";
    QTest::newRow("signed with blanks") << " -3 " << true << " -3 ";
    // An input method's full-width digits are saved as the file reader reads them.
    QTest::newRow("full-width digits") << "－１２．５" << true << "-12.5";
  }
  void NumericCheck() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, saved);
    LoadedForm f;
    const ProgramFolder folder = f.folder.Program();
    const QByteArray before = ReadBytes(folder.PositionIni());
    const QByteArray font_before = ReadBytes(folder.FontInfoIni());
    f.form.SetField(7, text);
    ScriptedPrompter prompter;
    const auto result = f.form.Confirm(prompter);
    if (accepted) {
      QCOMPARE(result, LayoutSettingsForm::ConfirmResult::kSaved);
      QCOMPARE(prompter.Notices(), QStringList{QStringLiteral("設定しました！")});
      QCOMPARE(SplitLines(DecodeCp932(ReadBytes(folder.PositionIni()))).value(7), saved);
    } else {
      QCOMPARE(result, LayoutSettingsForm::ConfirmResult::kStay);
      QCOMPARE(prompter.Notices(), QStringList{QStringLiteral("数値以外が入力されています。")});
      QCOMPARE(ReadBytes(folder.PositionIni()), before);
      QCOMPARE(ReadBytes(folder.FontInfoIni()), font_before);
    }
  }

  void FailedWriteIsReportedNotConfirmed() {
    LayoutSettingsForm form(ProgramFolder(QStringLiteral("/nonexistent/komasu-folder")));
    ScriptedPrompter prompter;
    QCOMPARE(form.Confirm(prompter), LayoutSettingsForm::ConfirmResult::kStay);
    QCOMPARE(prompter.Notices().size(), 1);
    QVERIFY(!prompter.Notices().contains(QStringLiteral("設定しました！")));
  }

  void DefaultsAfterQuestionWithoutWriting() {
    QStringList odd;
    for (int k = 0; k < kPositionValues; ++k) odd << QString::number(k + 3);
    LoadedForm f(odd, SlotTextFont{"Serif", 20, true, true, true, 255});
    LayoutSettingsForm& form = f.form;
    const QByteArray before = ReadBytes(f.folder.Program().PositionIni());
    ScriptedPrompter prompter;
    prompter.yes_no = {false};
    QVERIFY(!form.RestoreDefaults(prompter));
    QCOMPARE(form.Field(0), QStringLiteral("3"));
    QCOMPARE(prompter.asked.at(0).text, QStringLiteral("初期設定に戻しますか"));
    QCOMPARE(prompter.asked.at(0).title, QStringLiteral("初期値"));
    QCOMPARE(prompter.asked.at(0).icon, MessageIcon::kQuestion);

    prompter.yes_no = {true};
    QVERIFY(form.RestoreDefaults(prompter));
    QCOMPARE(form.Fields(), DefaultPositionLines());
    QCOMPARE(form.Font(), SlotTextFont());
    QCOMPARE(form.Background(), LabelBackground::kTransparent);
    QCOMPARE(form.Binding(), 0);
    QCOMPARE(ReadBytes(f.folder.Program().PositionIni()), before);  // until "設定"
  }

  void SwatchesAndFontChooserChangeTheForm() {
    LoadedForm f;
    LayoutSettingsForm& form = f.form;
    form.ClickSwatch(1);
    QCOMPARE(form.Field(18), QStringLiteral("255"));
    QCOMPARE(form.PreviewColor(), 255);
    form.SetField(18, "16711680");
    QCOMPARE(form.PreviewColor(), 16711680);
    form.SetField(18, "２５５");  // typed in full-width
    QCOMPARE(form.PreviewColor(), 255);
    form.SetField(18, "16711680");
    for (const char* other : {"12345", "blue"}) {  // not a swatch code: the preview stays
      form.SetField(18, QString::fromLatin1(other));
      QCOMPARE(form.PreviewColor(), 16711680);
    }

    ScriptedPrompter prompter;
    form.ChooseFont(prompter);  // cancelled
    QCOMPARE(form.Font(), SlotTextFont());
    FontChoice chosen;
    chosen.name = "IPAGothic";
    chosen.size = 12;
    chosen.italic = true;
    chosen.color = 65535;
    prompter.fonts = {chosen};
    form.ChooseFont(prompter);
    QCOMPARE(form.Font().name, QStringLiteral("IPAGothic"));
    QCOMPARE(form.Font().size, 12.0f);
    QVERIFY(form.Font().italic);
    QCOMPARE(form.Font().color, 65535);
  }

  // "フォント設定" with the Qt chooser: OK on both dialogs unchanged leaves fontinfo.ini as it
  // was, Windows face name and quarter-point size included.
  void FontChooserOkUnchangedKeepsTheFile() {
    InstallFontSubstitutions();
    LoadedForm f({},
                 SlotTextFont{QStringLiteral("ＭＳ Ｐゴシック"), 9.75f, false, true, false, 255});
    const QByteArray before = ReadBytes(f.folder.Program().FontInfoIni());
    DialogDriver driver;
    QtPrompter chooser;
    f.form.ChooseFont(chooser);
    QCOMPARE(driver.Accepted().size(), 2);
    ScriptedPrompter prompter;
    QCOMPARE(f.form.Confirm(prompter), LayoutSettingsForm::ConfirmResult::kSaved);
    QCOMPARE(ReadBytes(f.folder.Program().FontInfoIni()), before);
  }

  void DialogShowsTheFileAndSaves() {
    TestFolder folder;
    WriteTextLines(folder.Program().PositionIni(), PositionWith(0, "4"));
    ScriptedPrompter prompter;
    LayoutSettingsDialog dialog(folder.Program(), prompter);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("設定"));
    auto* x = dialog.findChild<QLineEdit*>("Text1(0)");
    QVERIFY(x);
    QCOMPARE(x->text(), QStringLiteral("4"));
    QVERIFY(dialog.findChild<QLineEdit*>("Text1(18)")->isHidden());
    QVERIFY(dialog.findChild<QRadioButton*>("Option4")->isChecked());
    QVERIFY(dialog.findChild<QRadioButton*>("Option1")->isChecked());

    QSignalSpy confirmed(&dialog, &LayoutSettingsDialog::LineSettingsConfirmed);
    x->setText("9");
    dialog.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(prompter.Notices(), QStringList{QStringLiteral("設定しました！")});
    QCOMPARE(confirmed.size(), 1);
    QCOMPARE(confirmed.at(0).at(1).toString(), QStringLiteral("100"));
    QCOMPARE(ReadPositionTexts(folder.Program().PositionIni()).value(0), QStringLiteral("9"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TstLayoutSettings)
#include "tst_layout_settings.moc"
