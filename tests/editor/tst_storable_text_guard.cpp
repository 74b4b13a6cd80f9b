#include <QClipboard>
#include <QIntValidator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "editor/storable_text_guard.h"
#include "platform/scripted_prompter.h"

using namespace komasu;

namespace {

// A line field or a plain-text field behind one interface.
struct Field {
  std::unique_ptr<QWidget> widget;
  QLineEdit* line = nullptr;
  QPlainTextEdit* plain = nullptr;

  Field(bool plain_text, ScriptedPrompter& prompter) {
    if (plain_text) {
      plain = new QPlainTextEdit;
      widget.reset(plain);
      StorableTextGuard::Install(plain, prompter, false);
    } else {
      line = new QLineEdit;
      widget.reset(line);
      StorableTextGuard::Install(line, prompter);
    }
  }
  QString Text() const { return line ? line->text() : plain->toPlainText(); }
  void SetText(const QString& t) { line ? line->setText(t) : plain->setPlainText(t); }
  void Paste() { line ? line->paste() : plain->paste(); }
};

// Types `text` as key presses carrying the characters, as a keyboard or an input method does.
void Type(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype len = text.at(i).isHighSurrogate() ? 2 : 1;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, len));
    QApplication::sendEvent(widget, &press);
    i += len - 1;
  }
}

}  // namespace

class TstStorableTextGuard : public QObject {
  Q_OBJECT
 private slots:
  void UnstorableInputIsRefusedWithAMessage_data() {
    QTest::addColumn<bool>("plain_text");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");  // empty: accepted
    const QString separator = QStringLiteral("「ζ」はアルバムの区切り文字のため使用できません。");
    const QString quote = QStringLiteral("ダブルクォーテーション（\"）は使用できません。");
    for (bool plain : {false, true}) {
      for (bool paste : {false, true}) {
        const QString kind =
            QStringLiteral("%1 %2").arg(plain ? "plain" : "line", paste ? "paste" : "type");
        QTest::addRow("%s separator", qPrintable(kind)) << plain << paste << "ζ" << separator;
        QTest::addRow("%s quote", qPrintable(kind)) << plain << paste << "\"" << quote;
        QTest::addRow("%s typed forms", qPrintable(kind))
            << plain << paste << QStringLiteral("5〜10℃−2") << QString();
        QTest::addRow("%s cp932 text", qPrintable(kind))
            << plain << paste << QStringLiteral("配筋①～Ⅱ") << QString();
      }
    }
    QTest::newRow("line paste emoji")
        << false << true << QStringLiteral("x😀")
        << QStringLiteral("文字「😀」は保存できないため使用できません。");
  }
  void UnstorableInputIsRefusedWithAMessage() {
    QFETCH(bool, plain_text);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, message);
    ScriptedPrompter prompter;
    Field field(plain_text, prompter);
    Type(field.widget.get(), QStringLiteral("北側"));
    if (paste) {
      QGuiApplication::clipboard()->setText(input);
      field.Paste();
    } else {
      Type(field.widget.get(), input);
    }
    QCoreApplication::processEvents();
    const QString expected =
        message.isEmpty() ? QStringLiteral("北側") + input : QStringLiteral("北側");
    QCOMPARE(field.Text(), expected);
    QCOMPARE(prompter.Notices(), message.isEmpty() ? QStringList() : QStringList{message});
    QTest::keyClicks(field.widget.get(), QStringLiteral("a"));  // the field goes on working
    QCOMPARE(field.Text(), expected + u'a');
  }

  void TextSetByTheProgramIsNotRefused() {
    for (bool plain_text : {false, true}) {
      ScriptedPrompter prompter;
      Field field(plain_text, prompter);
      field.SetText(QStringLiteral("aζb"));
      QCoreApplication::processEvents();
      QCOMPARE(field.Text(), QStringLiteral("aζb"));
      QTest::keyClick(field.widget.get(), Qt::Key_End);
      QTest::keyClicks(field.widget.get(), QStringLiteral("c"));  // still editable
      QCOMPARE(field.Text(), QStringLiteral("aζbc"));
      QVERIFY(prompter.Notices().isEmpty());
    }
  }

  void LineBreaksFollowTheFieldsChoice() {
    ScriptedPrompter prompter;
    QPlainTextEdit multi;
    StorableTextGuard::Install(&multi, prompter, true);
    Type(&multi, QStringLiteral("a"));
    QTest::keyClick(&multi, Qt::Key_Return);
    QTest::keyClicks(&multi, QStringLiteral("b"));
    QCOMPARE(multi.toPlainText(), QStringLiteral("a\nb"));
    QPlainTextEdit single;
    StorableTextGuard::Install(&single, prompter, false);
    QTest::keyClicks(&single, QStringLiteral("a"));
    QTest::keyClick(&single, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(single.toPlainText(), QStringLiteral("a"));
    QCOMPARE(prompter.Notices(), QStringList{QStringLiteral("改行は使用できません。")});
  }

  void AnEarlierValidatorKeepsWorking() {
    ScriptedPrompter prompter;
    QLineEdit field;
    field.setValidator(new QIntValidator(0, 99, &field));
    StorableTextGuard::Install(&field, prompter);
    QTest::keyClicks(&field, QStringLiteral("4x2"));
    QCOMPARE(field.text(), QStringLiteral("42"));
    QVERIFY(prompter.Notices().isEmpty());
  }
};

QTEST_MAIN(TstStorableTextGuard)
#include "tst_storable_text_guard.moc"
