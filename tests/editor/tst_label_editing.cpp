#include <QtTest>

#include "album/page_record.h"
#include "editor/label_editing.h"
#include "support/label_fixture.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

QStringList EmptyAlbum(int pages) {
  QStringList records{SerializeHeader({QStringLiteral("旅行"), {}, {}})};
  for (int p = 1; p <= pages; ++p) records << SerializePage(PageContent());
  return records;
}

// Page p of the album file.
PageContent StoredPage(const QString& path, int p) {
  PageContent page;
  DecodePageRecord(ReadAlbum(path).value(p), page);
  return page;
}

struct LabelFixture : AlbumFixture {
  FixedTextMeasure measure;
  ScriptedTextEntry entry;
  QString path;
  LabelFixture() {
    path = Open(QStringLiteral("a.apt"), EmptyAlbum(2));
    editor->SetTextMeasure(&measure);
    editor->SetLabelTextEntry(&entry);
  }
  // Label n with text at a given box, as a loaded page holds it.
  void PutLabel(int n, float left, float top, float width = 1000, float height = 400) {
    Edit(*album, [&](PageContent& p) {
      FreeLabel& l = p.Label(n);
      l.text = QStringLiteral("ラベル%1").arg(n);
      l.visible = true;
      l.left = left;
      l.top = top;
      l.width = width;
      l.height = height;
    });
  }
  const FreeLabel& Label(int n) const { return album->Page().Label(n); }
};

}  // namespace

class TstLabelEditing : public QObject {
  Q_OBJECT

 private slots:
  void dropMovesGrabPointOrRefuses_data();
  void dropMovesGrabPointOrRefuses();
  void dropOffTheCanvasShowsLabelWhereItWas();
  void positionFields_data();
  void positionFields();
  void newLabelIsPlacedAtThePressAndSurvivesSaveAndReload();
  void newLabelWithEmptyTextLeavesItsSlotFree();
  void twentiethLabelIsRefused();
  void clearLabelStoresTheDefaultsAtOnce();
  void clearLabelForgetsPressFromAnotherPage();
  void enlargeAndReduce();
  void fontCommandAppliesToTheSelectedLabelOnly();
  void labelsReadFromAFileFitTheirText_data();
  void labelsReadFromAFileFitTheirText();
};

// Label 1 at (7000, 2000), 1000 × 400, pressed at (200, 100) within it: the grab offsets are
// (200, 100, 800, 300), so a drop at x is inside while 200 ≤ x ≤ 4720 and 100 ≤ y ≤ 7515.
void TstLabelEditing::dropMovesGrabPointOrRefuses_data() {
  QTest::addColumn<QPointF>("drop");
  QTest::addColumn<bool>("moves");
  QTest::newRow("inside") << QPointF(1000, 3000) << true;
  QTest::newRow("left edge on canvas edge") << QPointF(200, 500) << true;
  QTest::newRow("left edge past") << QPointF(199, 500) << false;
  QTest::newRow("top edge on canvas edge") << QPointF(500, 100) << true;
  QTest::newRow("top edge past") << QPointF(500, 99) << false;
  QTest::newRow("right edge on canvas edge") << QPointF(4720, 500) << true;
  QTest::newRow("right edge past") << QPointF(4721, 500) << false;
  QTest::newRow("bottom edge on canvas edge") << QPointF(500, 7515) << true;
  QTest::newRow("bottom edge past") << QPointF(500, 7516) << false;
}

void TstLabelEditing::dropMovesGrabPointOrRefuses() {
  QFETCH(QPointF, drop);
  QFETCH(bool, moves);
  LabelFixture f;
  f.PutLabel(1, 7000, 2000);
  f.commands->SetModified(false);
  PressLabel(*f.editor, 1, false, QPointF(200, 100));
  QCOMPARE(f.editor->Labels().dragged, 1);
  QVERIFY(f.editor->Mode().OverlayVisible());
  f.editor->Mode().OverlayDrop(drop);

  QCOMPARE(f.editor->Labels().dragged, 0);
  if (moves) {
    QCOMPARE(f.Label(1).left, float(6480 + drop.x() - 200));
    QCOMPARE(f.Label(1).top, float(1080 + drop.y() - 100));
    QVERIFY(f.album->IsModified());
    QVERIFY(f.editor->Mode().OverlayVisible());  // still selected
  } else {
    QCOMPARE(f.Label(1).left, 7000.0f);
    QCOMPARE(f.Label(1).top, 2000.0f);
    QVERIFY(!f.album->IsModified());
    QVERIFY(!f.editor->Mode().OverlayVisible());
  }
  QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kLabelSelected);
  QCOMPARE(f.editor->PositionText(0), MillimetreTextX(f.Label(1).left));
}

void TstLabelEditing::dropOffTheCanvasShowsLabelWhereItWas() {
  LabelFixture f;
  f.PutLabel(1, 7000, 2000);
  PressLabel(*f.editor, 1, false, QPointF(10, 10));
  CancelLabelDrag(*f.editor);
  QCOMPARE(f.editor->Labels().dragged, 0);
  QCOMPARE(f.Label(1).left, 7000.0f);
  QVERIFY(f.Label(1).visible);
  QVERIFY(!f.editor->Mode().OverlayVisible());
}

void TstLabelEditing::positionFields_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");  // the field after Enter
  QTest::addColumn<float>("left");
  QTest::addColumn<float>("top");
  // 5 × 28.571428 + 6480 = 6622.857 and 10 × 27.929292 + 1080 = 1359.29, rounded.
  QTest::newRow("x 15") << 0 << "15"
                        << "15" << 6623.0f << 1080.0f;
  QTest::newRow("y 20") << 1 << "20"
                        << "20" << 6480.0f << 1359.0f;
  QTest::newRow("full-width x") << 0 << "１５"
                                << "１５" << 6623.0f << 1080.0f;
  QTest::newRow("x 297 allowed") << 0 << "297"
                                 << "297" << 14680.0f << 1080.0f;
  QTest::newRow("x 9") << 0 << "9"
                       << "" << 6480.0f << 1080.0f;
  QTest::newRow("x 298") << 0 << "298"
                         << "" << 6480.0f << 1080.0f;
  QTest::newRow("y word") << 1 << "abc"
                          << "" << 6480.0f << 1080.0f;
  QTest::newRow("x empty") << 0 << ""
                           << "" << 6480.0f << 1080.0f;
}

void TstLabelEditing::positionFields() {
  QFETCH(int, field);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(float, left);
  QFETCH(float, top);
  LabelFixture f;
  f.PutLabel(1, 6480, 1080);
  PressLabel(*f.editor, 1, false, QPointF(5, 5));
  f.editor->Mode().OverlayDrop(QPointF(5, 5));
  QCOMPARE(f.editor->PositionText(0), QStringLiteral("10"));
  QCOMPARE(f.editor->PositionText(1), QStringLiteral("10"));

  f.editor->SetPositionText(field, typed);
  ApplyTypedPosition(*f.editor, field);
  QCOMPARE(f.editor->PositionText(field), shown);
  QCOMPARE(f.Label(1).left, left);
  QCOMPARE(f.Label(1).top, top);
}

void TstLabelEditing::newLabelIsPlacedAtThePressAndSurvivesSaveAndReload() {
  LabelFixture f;
  f.commands->SetModified(false);
  f.entry.text = QStringLiteral("一行目\n二行目");
  QVERIFY(StartLabelInput(*f.editor));
  QCOMPARE(f.editor->Mode().Pointer(), CanvasPointer::kText);
  f.editor->Mode().OverlayPress(QPointF(300, 400));
  QCOMPARE(f.entry.calls, 1);

  const FreeLabel& label = f.Label(1);
  QCOMPARE(label.text, QStringLiteral("一行目\r\n二行目"));
  QVERIFY(label.visible);
  QCOMPARE(label.left, 6780.0f);
  QCOMPARE(label.top, 1480.0f);
  QCOMPARE(label.width, 247.5f);  // 3 characters at 8.25 pt
  QCOMPARE(label.height, 330.0f);
  QVERIFY(f.album->IsModified());

  QVERIFY(f.album->Save());
  AlbumFixture other;
  other.prompter.yes_no = {true};  // the album is still open above: read-only
  QVERIFY(other.album->OpenAlbumAt(f.path));
  const FreeLabel& reloaded = other.album->Page().Label(1);
  QCOMPARE(reloaded.text, label.text);
  QCOMPARE(reloaded.left, label.left);
  QCOMPARE(reloaded.top, label.top);
  QCOMPARE(reloaded.width, label.width);
  QCOMPARE(reloaded.height, label.height);
  QCOMPARE(reloaded.style, label.style);
  QVERIFY(reloaded.visible);
}

void TstLabelEditing::newLabelWithEmptyTextLeavesItsSlotFree() {
  LabelFixture f;
  f.entry.text.clear();
  QVERIFY(StartLabelInput(*f.editor));
  f.editor->Mode().OverlayPress(QPointF(300, 400));
  QVERIFY(f.Label(1).text.isEmpty());
  QVERIFY(!f.Label(1).visible);
  QCOMPARE(f.Label(1).left, 4680.0f);
  // A press after the font command places nothing.
  f.editor->Mode().FontCommand();
  f.editor->Mode().OverlayPress(QPointF(300, 400));
  QCOMPARE(f.entry.calls, 1);
}

void TstLabelEditing::twentiethLabelIsRefused() {
  LabelFixture f;
  for (int i = 1; i <= 18; ++i) f.PutLabel(i, 7000, 2000);
  QVERIFY(StartLabelInput(*f.editor));
  QCOMPARE(f.editor->Labels().new_index, 19);
  f.editor->Mode().OverlayPress(QPointF(0, 0));
  f.entry.text = QStringLiteral("x");
  f.PutLabel(19, 7000, 2000);

  QVERIFY(!StartLabelInput(*f.editor));
  QCOMPARE(f.prompter.Notices(),
           QStringList{QStringLiteral("ラベルが多すぎます。必要の無いラベルを削除してください。")});
  QVERIFY(!f.editor->Mode().OverlayVisible());
  QCOMPARE(f.editor->Mode().PressRole(), CanvasMode::kPlaceNewLabel);
  QVERIFY(f.Label(20).text.isEmpty());
}

void TstLabelEditing::clearLabelStoresTheDefaultsAtOnce() {
  LabelFixture f;
  f.PutLabel(2, 7000, 2000);
  Edit(*f.album, [](PageContent& p) {
    p.Label(2).style.font_name = QStringLiteral("ＭＳ 明朝");
    p.Label(2).style.size = 20;
    p.Label(2).style.SetBold(true);
    p.Label(2).style.color = 255;
  });
  f.album->SaveCurrentPage();
  QCOMPARE(StoredPage(f.path, 1).Label(2).text, QStringLiteral("ラベル2"));

  f.prompter.yes_no = {false, true};
  PressLabel(*f.editor, 2, true, QPointF(1, 1));  // No
  QCOMPARE(f.Label(2).text, QStringLiteral("ラベル2"));
  PressLabel(*f.editor, 2, true, QPointF(1, 1));  // Yes
  QCOMPARE(f.prompter.asked.back().text, QStringLiteral("文字をクリアしますか？"));
  QCOMPARE(f.prompter.asked.back().title, QStringLiteral("クリア"));

  const FreeLabel stored = StoredPage(f.path, 1).Label(2);
  FreeLabel expected;  // left 4680, top 3600, 45 × 165, "ＭＳ Ｐゴシック" 8.25 pt regular
  QCOMPARE(stored.text, QString());
  QCOMPARE(stored.left, expected.left);
  QCOMPARE(stored.top, expected.top);
  QCOMPARE(stored.width, expected.width);
  QCOMPARE(stored.height, expected.height);
  QCOMPARE(stored.style, expected.style);
  QVERIFY(!f.Label(2).visible);
}

void TstLabelEditing::clearLabelForgetsPressFromAnotherPage() {
  LabelFixture f;
  f.PutLabel(1, 7000, 2000);
  f.prompter.yes_no = {false, true};
  PressLabel(*f.editor, 1, true, QPointF(1, 1));  // No
  f.album->NextPage();
  f.PutLabel(1, 8000, 3000);
  QVERIFY(ClearLabel(*f.editor));  // asked, but no label of this page was pressed
  QCOMPARE(f.Label(1).text, QStringLiteral("ラベル1"));
}

void TstLabelEditing::enlargeAndReduce() {
  LabelFixture f;
  f.PutLabel(1, 7000, 2000);
  ResizeSelectedLabel(*f.editor, 1);  // nothing selected
  QCOMPARE(f.Label(1).style.size, 8.25);
  PressLabel(*f.editor, 1, false, QPointF(1, 1));
  f.editor->Mode().OverlayDrop(QPointF(521, 921));
  ResizeSelectedLabel(*f.editor, 1);
  ResizeSelectedLabel(*f.editor, 1);
  QCOMPARE(f.Label(1).style.size, 10.25);
  QCOMPARE(f.Label(1).left, 7000.0f);  // the top left corner stays
  QCOMPARE(f.Label(1).width, 410.0f);
  Edit(*f.album, [](PageContent& p) { p.Label(1).style.size = 1; });
  ResizeSelectedLabel(*f.editor, -1);
  QCOMPARE(f.Label(1).style.size, 1.0);
}

void TstLabelEditing::fontCommandAppliesToTheSelectedLabelOnly() {
  LabelFixture f;
  f.PutLabel(1, 7000, 2000);
  FontChoice chosen;
  chosen.name = QStringLiteral("ＭＳ 明朝");
  chosen.size = 14;
  chosen.italic = true;
  chosen.color = 0xff0000;
  f.prompter.fonts = {chosen};
  ChooseLabelFont(*f.editor);  // no label selected: no chooser
  QCOMPARE(f.prompter.fonts.size(), size_t(1));
  PressLabel(*f.editor, 1, false, QPointF(1, 1));
  ChooseLabelFont(*f.editor);
  QCOMPARE(f.Label(1).style.font_name, chosen.name);
  QCOMPARE(f.Label(1).style.size, 14.0);
  QVERIFY(f.Label(1).style.italic);
  QCOMPARE(f.Label(1).style.color, 0xff0000);
  QCOMPARE(f.Label(1).height, 280.0f);
}

QTEST_GUILESS_MAIN(TstLabelEditing)
#include "tst_label_editing.moc"

// A box stored by another screen (or none) gives way to the text's own: the hit area, the
// border and the drop bounds all follow it. Showing the page changes nothing of the album.
void TstLabelEditing::labelsReadFromAFileFitTheirText_data() {
  QTest::addColumn<float>("stored_width");
  QTest::addColumn<float>("stored_height");
  QTest::newRow("no size") << 0.0f << 0.0f;
  QTest::newRow("far too large") << 5000.0f << 3000.0f;
}

void TstLabelEditing::labelsReadFromAFileFitTheirText() {
  QFETCH(float, stored_width);
  QFETCH(float, stored_height);
  LabelFixture f;
  PageContent page;
  page.Label(1) = {7000, 2000, stored_width, stored_height, "ラベル\r\n二行目", {}, true, false};
  const QString other = f.folder.File(QStringLiteral("b.apt"));
  WriteAlbum(other, {SerializeHeader({}), SerializePage(PageContent()), SerializePage(page)});
  QVERIFY(f.album->OpenAlbumAt(other));
  f.commands->SetModified(false);
  f.album->NextPage();

  const QSizeF text = f.measure.TextSize(page.Label(1).style, page.Label(1).text);
  QCOMPARE(QSizeF(f.Label(1).width, f.Label(1).height), text);
  QVERIFY(!f.album->IsModified());
  const QRectF box(QPointF(7000, 2000), text);
  QCOMPARE(LabelAt(f.album->Page(), box.bottomRight() - QPointF(1, 1)), 1);
  QCOMPARE(LabelAt(f.album->Page(), box.topRight() + QPointF(1, 1)), 0);
  // The drop bounds: pressed at its top left, the label fits up to the canvas' right edge.
  const double edge = kOverlayWidth - text.width();
  PressLabel(*f.editor, 1, false, QPointF(0, 0));
  f.editor->Mode().OverlayDrop(QPointF(edge + 1, 100));
  QCOMPARE(f.Label(1).left, 7000.0f);
  PressLabel(*f.editor, 1, false, QPointF(0, 0));
  f.editor->Mode().OverlayDrop(QPointF(edge - 1, 100));
  QCOMPARE(f.Label(1).left, static_cast<float>(kCanvasLeft + edge - 1));
}
