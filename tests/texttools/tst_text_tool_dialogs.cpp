#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include "album/page_record.h"
#include "editor/slot_text_commands.h"
#include "editor/slot_text_panel.h"
#include "support/test_folder.h"
#include "texttools/copy_tool_dialog.h"
#include "texttools/label_text_dialog.h"
#include "texttools/list_ini.h"
#include "texttools/word_list_dialog.h"

using namespace komasu;
using namespace komasu::test;

namespace {

template <typename T>
T* Find(QWidget& parent, const QString& name) {
  T* w = parent.findChild<T*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

QLineEdit* Field(SlotTextPanel& panel, int j) { return panel.LineFields()[j]; }

struct Fixture : AlbumFixture {
  Fixture() {
    QStringList texts;
    for (int i = 0; i < kSlotTextLines; ++i) texts << QStringLiteral("t%1").arg(i);
    Open(QStringLiteral("a.apt"), {SerializeHeader({}), PageWithTexts(texts)});
  }
};

}  // namespace

class TstTextToolDialogs : public QObject {
  Q_OBJECT
 private slots:
  // The label text dialog from the keyboard: Tab walks Text1 → ＯＫ → Ｃａｎｃｅｌ → フォント and
  // types nothing; Escape is Ｃａｎｃｅｌ.
  void LabelDialogKeys_data() {
    QTest::addColumn<QList<int>>("keys");  // after typing "ab"
    QTest::addColumn<QString>("focus");    // empty: the dialog has closed
    QTest::addColumn<QString>("label");    // the label's text afterwards
    QTest::newRow("tab thrice") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab} << "Command2"
                                << "元ab";
    QTest::newRow("escape") << QList<int>{Qt::Key_Escape} << QString() << "元";
  }
  void LabelDialogKeys() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, focus);
    QFETCH(QString, label);
    Fixture f;
    Edit(*f.album, [](PageContent& p) { p.Label(1) = {7000, 2000, 0, 0, "元", {}, true, false}; });
    LabelTextDialog dialog(*f.editor, 1, false, f.prompter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* text = Find<QPlainTextEdit>(dialog, "Text1");
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, "ab");
    for (int key : keys) QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(dialog.isVisible(), !focus.isEmpty());
    if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(f.album->Page().Label(1).text, label);
  }

  // A word dragged from the list is plain text; dropped on a line field it is appended, and
  // Enter on a word appends it to the line field that last had the focus.
  void WordsReachTheLineFields() {
    Fixture f;
    WriteTextLines(f.folder.Program().ListIni(), {"ζ工種ζ土工ζ型枠工ζ", "ζ場所ζ右岸ζ"});
    SlotTextPanel panel(*f.editor);
    WordListDialog dialog(f.folder.Program(), f.prompter);
    dialog.show();
    panel.SetWordSource([&] { return dialog.Model().SelectedWordText(); });
    connect(&dialog, &WordListDialog::WordChosen, &panel,
            [&](const QString& word) { DropWord(*f.editor, panel.LastFocusedLine(), word); });
    auto* tabs = Find<QTabBar>(dialog, "TabStrip1");
    auto* list = Find<QListWidget>(dialog, "ListView1");
    QCOMPARE(tabs->count(), 10);
    QCOMPARE(tabs->tabText(1), QStringLiteral("場所"));
    QCOMPARE(list->count(), 2);

    list->setCurrentRow(1);
    std::unique_ptr<QMimeData> data(list->model()->mimeData({list->model()->index(1, 0)}));
    QVERIFY(data->hasText());
    QCOMPARE(data->text(), QStringLiteral("型枠工"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(Field(panel, 2), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(Field(panel, 2), &drop);
    QCOMPARE(Field(panel, 2)->text(), QStringLiteral("t2型枠工"));
    QCOMPARE(f.album->Page().Line(0, 2).text, QStringLiteral("t2型枠工"));

    tabs->setCurrentIndex(1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("右岸"));
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(Field(panel, 5), &focus);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(f.album->Page().Line(0, 5).text, QStringLiteral("t5右岸"));
  }

  void CopyToolHighlightsAndRestores() {
    Fixture f;
    SlotTextPanel panel(*f.editor);
    const QColor white(255, 255, 255), yellow(255, 255, 0);
    const auto colors = [&] {
      QList<QColor> out;
      for (int j = 1; j < 9; ++j) out << Field(panel, j)->palette().color(QPalette::Base);
      return out;
    };
    const QList<QColor> before = colors();
    f.editor->SetPanelLine(2, QStringLiteral("共通"));
    {
      CopyToolDialog dialog(*f.editor, panel.LineFields());
      dialog.show();
      QVERIFY(!Field(panel, 0)->isEnabled());
      QCOMPARE(colors(), QList<QColor>({yellow, white, white, white, white, white, white, white}));
      Find<QToolButton>(dialog, "Command1(1)")->click();
      QCOMPARE(colors(), QList<QColor>({white, yellow, white, white, white, white, white, white}));
      Find<QPushButton>(dialog, "Command2")->click();
      for (int s = 0; s < 3; ++s) {
        QCOMPARE(f.album->Page().Line(s, 2).text, QStringLiteral("共通"));
        QCOMPARE(f.album->Page().Line(s, 3).text, QStringLiteral("t%1").arg(9 * s + 3));
      }
      Find<QRadioButton>(dialog, "Option1(1)")->click();
      QCOMPARE(colors(), QList<QColor>(8, yellow));
      QVERIFY(!Find<QToolButton>(dialog, "Command1(0)")->isEnabled());
      dialog.close();  // the close box
      QCOMPARE(colors(), before);
      QVERIFY(Field(panel, 0)->isEnabled());
    }
    QCOMPARE(colors(), before);
  }
};

QTEST_MAIN(TstTextToolDialogs)
#include "tst_text_tool_dialogs.moc"
