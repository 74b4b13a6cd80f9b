#include <QtTest>

#include "album/page_record.h"
#include "editor/label_editing.h"
#include "support/label_fixture.h"
#include "support/test_folder.h"
#include "texttools/label_text_form.h"

using namespace komasu;
using namespace komasu::test;

namespace {

struct FormFixture : AlbumFixture {
  FixedTextMeasure measure;
  FormFixture() {
    Open(QStringLiteral("a.apt"),
         {SerializeHeader({QStringLiteral("旅行"), {}, {}}), SerializePage(PageContent())});
    editor->SetTextMeasure(&measure);
    // Label 1 stands on the page; label 2 is a free slot.
    Edit(*album, [](PageContent& p) {
      FreeLabel& l = p.Label(1);
      l.text = QStringLiteral("元の文字");
      l.visible = true;
      l.left = 7000;
      l.top = 2000;
      l.style.font_name = QStringLiteral("ＭＳ 明朝");
      l.style.size = 36;
      l.style.SetBold(true);
      l.style.italic = true;
      l.style.color = 0x0000ff;
    });
    commands->SetModified(false);
  }
  const FreeLabel& Label(int n) const { return album->Page().Label(n); }
};

}  // namespace

class TstLabelTextForm : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheLabelsTextAndAppearance();
  void typingUpdatesALabelOnThePageAtOnce();
  void typingForANewLabelWaitsForOk();
  void closing_data();
  void closing();
  void cancelRestoresTextButKeepsAFontChange();
  void unstorableTextIsRefused_data();
  void unstorableTextIsRefused();
};

void TstLabelTextForm::opensWithTheLabelsTextAndAppearance() {
  FormFixture f;
  LabelTextForm form(*f.editor, 1, false);
  QCOMPARE(form.OriginalText(), QStringLiteral("元の文字"));
  const TextStyle box = form.Appearance();
  QCOMPARE(box.font_name, QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(box.size, 11.25);  // a 36-point label is edited at a readable size
  QVERIFY(box.bold);
  QVERIFY(box.italic);
  QCOMPARE(box.color, 0x0000ff);
}

void TstLabelTextForm::typingUpdatesALabelOnThePageAtOnce() {
  FormFixture f;
  f.editor->Mode().LabelPressed(true);  // the label is selected: the overlay is shown
  LabelTextForm form(*f.editor, 1, false);
  QVERIFY(form.TextChanged(QStringLiteral("新しい\n文字")));
  QCOMPARE(f.Label(1).text, QStringLiteral("新しい\r\n文字"));
  QCOMPARE(f.Label(1).width, 3 * 100 * 3.6f);
  QVERIFY(f.album->IsModified());
  QVERIFY(!f.editor->Mode().OverlayVisible());
  // Emptied and typed again, it shows again.
  form.TextChanged(QString());
  QVERIFY(!f.Label(1).visible);
  form.TextChanged(QStringLiteral("再"));
  QVERIFY(f.Label(1).visible);
}

void TstLabelTextForm::typingForANewLabelWaitsForOk() {
  FormFixture f;
  LabelTextForm form(*f.editor, 2, true);
  QVERIFY(form.OriginalText().isEmpty());
  QVERIFY(form.TextChanged(QStringLiteral("新")));
  QVERIFY(f.Label(2).text.isEmpty());
  QVERIFY(!f.album->IsModified());
  form.Finish(true);
  QCOMPARE(f.Label(2).text, QStringLiteral("新"));
  QVERIFY(f.Label(2).visible);
}

// How the dialog ends after "X" was typed: OK, Cancel or the close box, for the label on the
// page and for a new label. An empty end frees the slot.
void TstLabelTextForm::closing_data() {
  QTest::addColumn<int>("label");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("text");
  QTest::newRow("ok on page") << 1 << "X"
                              << "ok"
                              << "X";
  QTest::newRow("cancel on page") << 1 << "X"
                                  << "cancel"
                                  << "元の文字";
  QTest::newRow("close box on page keeps typed") << 1 << "X"
                                                 << "close"
                                                 << "X";
  QTest::newRow("ok empty frees") << 1 << ""
                                  << "ok"
                                  << "";
  QTest::newRow("new ok") << 2 << "X"
                          << "ok"
                          << "X";
  QTest::newRow("new cancel") << 2 << "X"
                              << "cancel"
                              << "";
  QTest::newRow("new close box") << 2 << "X"
                                 << "close"
                                 << "";
}

void TstLabelTextForm::closing() {
  QFETCH(int, label);
  QFETCH(QString, typed);
  QFETCH(QString, how);
  QFETCH(QString, text);
  FormFixture f;
  LabelTextForm form(*f.editor, label, label == 2);
  form.TextChanged(typed);
  if (how == "close") {
    form.Close();
  } else {
    form.Finish(how == "ok");
  }
  QCOMPARE(f.Label(label).text, text);
  QCOMPARE(f.Label(label).visible, !text.isEmpty());
}

void TstLabelTextForm::cancelRestoresTextButKeepsAFontChange() {
  FormFixture f;
  FontChoice chosen;
  chosen.name = QStringLiteral("ＭＳ Ｐゴシック");
  chosen.size = 12;
  chosen.color = 0x00ff00;
  f.prompter.fonts = {std::nullopt, chosen};
  LabelTextForm form(*f.editor, 1, false);
  form.TextChanged(QStringLiteral("途中"));
  QVERIFY(!form.ChooseFont());  // the chooser cancelled: nothing changes
  QCOMPARE(f.Label(1).style.size, 36.0);
  QVERIFY(form.ChooseFont());
  QCOMPARE(form.Appearance().font_name, chosen.name);
  QCOMPARE(form.Appearance().size, 11.25);
  form.Finish(false);

  QCOMPARE(f.Label(1).text, QStringLiteral("元の文字"));
  QCOMPARE(f.Label(1).style.font_name, chosen.name);
  QCOMPARE(f.Label(1).style.size, 12.0);
  QCOMPARE(f.Label(1).style.color, 0x00ff00);
  QVERIFY(!f.Label(1).style.bold);
  QCOMPARE(f.Label(1).height, 240.0f);  // sized by the new font
}

void TstLabelTextForm::unstorableTextIsRefused_data() {
  QTest::addColumn<QString>("typed");
  QTest::newRow("separator") << QStringLiteral("aζ");
  QTest::newRow("double quote") << QStringLiteral("a\"");
  QTest::newRow("outside the code page") << QStringLiteral("a😀");
}

void TstLabelTextForm::unstorableTextIsRefused() {
  QFETCH(QString, typed);
  for (const bool new_label : {false, true}) {
    FormFixture f;
    const int n = new_label ? 2 : 1;
    LabelTextForm form(*f.editor, n, new_label);
    QVERIFY(form.TextChanged(QStringLiteral("a")));
    QVERIFY(!form.TextChanged(typed));
    QCOMPARE(f.prompter.Notices().size(), 1);
    QCOMPARE(form.Text(), QStringLiteral("a"));
    form.Finish(true);
    QCOMPARE(f.Label(n).text, QStringLiteral("a"));
  }
}

QTEST_GUILESS_MAIN(TstLabelTextForm)
#include "tst_label_text_form.moc"
