#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include "album/page_record.h"
#include "editor/slot_text_commands.h"
#include "editor/slot_text_panel.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QStringList Records(int pages) {
  QStringList records{SerializeHeader({})};
  for (int p = 1; p <= pages; ++p) {
    QStringList texts;
    for (int i = 0; i < kSlotTextLines; ++i) texts << QStringLiteral("p%1-%2").arg(p).arg(i);
    if (p == 1) {
      for (int j = 9; j < 18; ++j) texts[j].clear();  // page 1 has an empty middle slot
    }
    records << PageWithTexts(texts);
  }
  return records;
}

template <typename T>
T* Find(QWidget& panel, const QString& name) {
  T* w = panel.findChild<T*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

// Drops a payload that is not a word on `field`: only the word source may count.
void DropOn(QWidget* field) {
  QMimeData data;
  data.setText(QStringLiteral("payload"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &drop);
}

}  // namespace

class TstSlotTextPanel : public QObject {
  Q_OBJECT
 private slots:
  // Names and captions of the controls, and their state before an album is open.
  void ControlsAndTheirStartState() {
    AlbumFixture f;
    SlotTextPanel panel(*f.editor);
    panel.show();
    const QStringList names{"Option4(0)",   "Option4(1)",   "Option4(2)", "Label14", "Command2",
                            "Command14(0)", "Command14(1)", "Check3",     "Option1", "Option3"};
    const QStringList captions{
        "上",     "中",     "下",    "№", "ALLクリア", "ページ全体に貼付", "アルバム全体に貼付",
        "補助線", "下　線", "枠　線"};
    QStringList shown;
    for (const QString& name : names) {
      QWidget* w = Find<QWidget>(panel, name);
      auto* label = qobject_cast<QLabel*>(w);
      shown << (label ? label->text() : qobject_cast<QAbstractButton*>(w)->text());
    }
    QCOMPARE(shown, captions);
    for (int j = 0; j < 9; ++j) Find<QLineEdit>(panel, QStringLiteral("Text4(%1)").arg(j));
    QVERIFY(Find<QLineEdit>(panel, "Text4(0)")->width() <
            Find<QLineEdit>(panel, "Text4(1)")->width());
    QVERIFY(!Find<QCheckBox>(panel, "Check3")->isEnabled());
    QVERIFY(!Find<QFrame>(panel, "Frame1")->isEnabled());
    QVERIFY(Find<QRadioButton>(panel, "Option1")->isChecked());
    QVERIFY(Find<QRadioButton>(panel, "Option4(0)")->isChecked());
  }

  void SelectingASlotShowsItsLinesAndColourUntilThePageChanges() {
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), Records(2));
    SlotTextPanel panel(*f.editor);
    Find<QRadioButton>(panel, "Option4(1)")->click();
    QCOMPARE(f.editor->SelectedSlot(), 1);
    for (int j = 0; j < 9; ++j) {
      QCOMPARE(Find<QLineEdit>(panel, QStringLiteral("Text4(%1)").arg(j))->text(), QString());
    }
    QCOMPARE(Find<QFrame>(panel, "Shape3")->palette().color(QPalette::Window),
             QColor(255, 192, 255));
    f.album->NextPage();
    f.album->PreviousPage();
    QVERIFY(Find<QRadioButton>(panel, "Option4(0)")->isChecked());
    QCOMPARE(Find<QFrame>(panel, "Shape3")->palette().color(QPalette::Window),
             QColor(192, 192, 255));
    QCOMPARE(Find<QLineEdit>(panel, "Text4(0)")->text(), QStringLiteral("p1-0"));
  }

  void TypingChangesTheSlotsLineAndMarksModified() {
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), Records(1));
    SlotTextPanel panel(*f.editor);
    Find<QRadioButton>(panel, "Option4(2)")->click();
    f.commands->SetModified(false);
    QSignalSpy edited(f.album.get(), &Album::PageChanged);
    QLineEdit* number = Find<QLineEdit>(panel, "Text4(0)");
    number->clear();
    Type(number, QStringLiteral("12"));
    QCOMPARE(f.album->Page().Line(2, 0).text, QStringLiteral("12"));
    QCOMPARE(f.album->Page().Line(0, 0).text, QStringLiteral("p1-0"));
    QVERIFY(f.album->IsModified());
    QVERIFY(edited.count() >= 2);  // the page view repaints with every keystroke
    // What the album cannot store is refused.
    Type(number, QStringLiteral("ζ"));
    QCoreApplication::processEvents();
    QCOMPARE(number->text(), QStringLiteral("12"));
    QCOMPARE(f.album->Page().Line(2, 0).text, QStringLiteral("12"));
    QCOMPARE(f.prompter.Notices().size(), 1);
  }

  // A drop appends the word source's word; the 中 slot of page 1 is empty.
  void DropAppendsTheWordSourcesWord_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<std::optional<QString>>("word");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("refused");
    using Word = std::optional<QString>;
    QTest::newRow("after text") << 0 << Word("配筋") << "p1-5配筋" << false;
    QTest::newRow("empty line") << 1 << Word("型枠") << "型枠" << false;
    QTest::newRow("nothing selected") << 0 << Word() << "p1-5" << false;
    QTest::newRow("unstorable word") << 0 << Word("a\"b") << "p1-5" << true;
  }
  void DropAppendsTheWordSourcesWord() {
    QFETCH(int, slot);
    QFETCH(std::optional<QString>, word);
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), Records(1));
    SlotTextPanel panel(*f.editor);
    panel.SetWordSource([word] { return word; });
    Find<QRadioButton>(panel, QStringLiteral("Option4(%1)").arg(slot))->click();
    QLineEdit* line = Find<QLineEdit>(panel, "Text4(5)");
    DropOn(line);
    QTEST(line->text(), "expected");
    QTEST(f.album->Page().Line(slot, 5).text, "expected");
    QTEST(!f.prompter.Notices().isEmpty(), "refused");
  }

  // A page kept verbatim for another format version is read-only, with a note saying why.
  void PageOfAnotherVersionIsReadOnly() {
    AlbumFixture f;
    QStringList records = Records(2);
    records[2].replace(QStringLiteral("ζ3.50ζ<pic>"), QStringLiteral("ζ3.40ζ<pic>"));
    const QString path = f.Open(QStringLiteral("a.apt"), records);
    SlotTextPanel panel(*f.editor);
    panel.show();
    auto* line = Find<QLineEdit>(panel, "Text4(1)");
    auto* note = Find<QLabel>(panel, "readOnlyNote");
    for (const bool other_version : {true, false}) {
      f.album->JumpToPage(other_version ? 2 : 1);
      QCOMPARE(line->isReadOnly(), other_version);
      QCOMPARE(note->isVisible(), other_version);
      QCOMPARE(Find<QCheckBox>(panel, "Check3")->isEnabled(), !other_version);
    }
    f.album->JumpToPage(2);
    f.commands->SetModified(false);
    f.editor->SetPanelLine(1, QStringLiteral("消える文字"));
    QVERIFY(!f.commands->SetSlotLine(0, 1, "x"));
    QVERIFY(f.editor->PanelLines()[1].isEmpty());
    QVERIFY(f.album->Page().lines[1].text.isEmpty());
    QVERIFY(!f.album->IsModified());
    f.album->FirstPage();
    QCOMPARE(ReadAlbum(path).at(2), records.at(2));
  }

  void ButtonsRunTheirCommands() {
    AlbumFixture f;
    const QString path = f.Open(QStringLiteral("a.apt"), Records(3));
    SlotTextPanel panel(*f.editor);
    f.album->JumpToPage(2);
    Find<QLineEdit>(panel, "Text4(1)")->setText(QStringLiteral("共通"));
    f.prompter.yes_no = {true, true};
    Find<QPushButton>(panel, "Command14(0)")->click();
    QCOMPARE(f.album->Page().Line(2, 1).text, QStringLiteral("共通"));
    Find<QPushButton>(panel, "Command14(1)")->click();
    QCOMPARE(f.album->CurrentPage(), 2);
    PageContent stored;
    DecodePageRecord(ReadAlbum(path).at(3), stored);
    QCOMPARE(stored.Line(1, 1).text, QStringLiteral("共通"));
    f.prompter.yes_no = {true};
    Find<QPushButton>(panel, "Command2")->click();
    QCOMPARE(Find<QLineEdit>(panel, "Text4(1)")->text(), QString());
    QCOMPARE(f.album->Page().Line(0, 1).text, QString());
    QCOMPARE(f.album->Page().Line(1, 1).text, QStringLiteral("共通"));
    f.prompter.texts = {QStringLiteral("4")};
    panel.NumberSlotsSerially();
    QCOMPARE(Find<QLineEdit>(panel, "Text4(0)")->text(), QStringLiteral("7"));
  }

  void RuleControlsFollowTheSwitch() {
    AlbumFixture f;
    f.Open(QStringLiteral("a.apt"), Records(1));
    SlotTextPanel panel(*f.editor);
    auto* sw = Find<QCheckBox>(panel, "Check3");
    QVERIFY(sw->isEnabled());
    QVERIFY(!Find<QRadioButton>(panel, "Option3")->isEnabled());
    sw->click();
    QVERIFY(Find<QFrame>(panel, "Frame1")->isEnabled());
    QVERIFY(f.album->Decor().Rule(4).visible && !f.album->Decor().Rule(1).visible);
    Find<QRadioButton>(panel, "Option3")->click();
    QVERIFY(f.album->Decor().Rule(1).visible && f.album->Decor().Rule(4).dotted);
    sw->click();
    QVERIFY(!f.album->Decor().Rule(4).visible && !f.album->Decor().no_marks[0].visible);
    QVERIFY(!Find<QRadioButton>(panel, "Option1")->isEnabled());
  }

  // Lines the printed column cuts are tinted as typed, in the font every page prints with.
  void LinesThePrintCutsAreMarked() {
    AlbumFixture f;
    f.Open("a.apt", Records(1));
    SlotTextPanel panel(*f.editor);
    double size = 0;  // of the line checked last that is cut
    panel.SetPrintedLineCheck([&size](const TextStyle& style, const QString& text) {
      if (text.size() <= 8) return std::optional<QString>();
      size = style.size;
      return std::optional<QString>(text.left(8));
    });
    panel.ApplyFontInfo({"ＭＳ 明朝", "14"});
    QLineEdit* line = Find<QLineEdit>(panel, "Text4(2)");
    const QColor plain = line->palette().color(QPalette::Base);
    line->clear();
    Type(line, "外壁北面の補修工事完了");
    QCOMPARE(line->toolTip(),
             "印刷欄の幅に収まらないため、ここまで印刷されます:\n外壁北面の補修工");
    QVERIFY(line->palette().color(QPalette::Base) != plain);
    QCOMPARE(size, 9.0);  // 14 pt in fontinfo.ini, shown 5 pt smaller
    for (int i = 0; i < 3; ++i) QTest::keyClick(line, Qt::Key_Backspace);
    QCOMPARE(line->toolTip(), QString());
    QCOMPARE(line->palette().color(QPalette::Base), plain);
  }
};

QTEST_MAIN(TstSlotTextPanel)
#include "tst_slot_text_panel.moc"
