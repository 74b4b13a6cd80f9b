#include <QtTest>

#include "print/page_renderer.h"
#include "print/recording_print_surface.h"
#include "support/exif_fixture.h"

using namespace komasu;
using Kind = RecordingPrintSurface::Kind;
using Entry = RecordingPrintSurface::Entry;

namespace {

LayoutSettings Layout(int binding = 0) {
  LayoutSettings layout;
  layout.Set(10, 1);
  layout.Set(13, 100);
  layout.Set(19, static_cast<int16_t>(binding));
  return layout;
}

RecordingPrintSurface Print(const PageContent& content, int page = 1,
                            const LayoutSettings& layout = Layout(), CalloutSettings pen = {}) {
  RecordingPrintSurface s;
  PrintPhotoLoader photos;
  PrintPage(content, page, layout, pen, photos, s);
  return s;
}

bool Near(double a, double b) { return std::abs(a - b) < 1e-3; }

}  // namespace

class TstPageRenderer : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString photo_;

 private slots:
  void initTestCase() {
    photo_ = dir_.filePath(QStringLiteral("p.jpg"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(photo_));
  }

  // The photo Y offset of position.ini moves the photo tops as the page is loaded.
  // The photo Y offset of position.ini moves the photo tops as the page is loaded.
  void PhotoBoxMapsWithPageSideShift_data() {
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<bool>("file_exists");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("binding");
    QTest::addColumn<QPointF>("at");  // none: nothing printed
    const QPointF left(32.13, 1.555), right(77.08, 1.555), none(-1, -1);
    QTest::newRow("page 1, left-bound") << 7100.0f << 1150.0f << true << 1 << 0 << left;
    QTest::newRow("page 2, right-bound") << 8400.0f << 1150.0f << true << 2 << 0 << right;
    QTest::newRow("always right-bound") << 8400.0f << 1150.0f << true << 1 << 2 << right;
    QTest::newRow("always left-bound") << 7100.0f << 1150.0f << true << 2 << 1 << left;
    QTest::newRow("unknown binding, odd") << 7100.0f << 1150.0f << true << 1 << 5 << left;
    QTest::newRow("unknown binding, even") << 8400.0f << 1150.0f << true << 2 << 5 << right;
    QTest::newRow("cleared position") << 7100.0f << 360.0f << true << 1 << 0 << none;
    QTest::newRow("photo Y offset -2 mm") << 7100.0f << 1092.857f << true << 1 << 0 << none;
    QTest::newRow("photo Y offset -1 mm")
        << 7100.0f << 1121.4286f << true << 1 << 0 << QPointF(32.13, 0.512);
    QTest::newRow("missing file") << 7100.0f << 1150.0f << false << 1 << 0 << none;
  }
  void PhotoBoxMapsWithPageSideShift() {
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(bool, file_exists);
    QFETCH(int, page);
    QFETCH(int, binding);
    QFETCH(QPointF, at);
    PageContent content;
    const QString path = file_exists ? photo_ : dir_.filePath(QStringLiteral("gone.jpg"));
    content.Photo(1) = {left, top, 3100, 2325, path, true};
    const auto pictures = Print(content, page, Layout(binding)).Of(Kind::kPicture);
    QCOMPARE(pictures.size(), at.x() < 0 ? 0 : 1);
    if (at.x() < 0) return;
    const QRectF r = pictures[0].rect;
    QVERIFY2(Near(r.x(), at.x()) && Near(r.y(), at.y()),
             qPrintable(QStringLiteral("%1, %2").arg(r.x(), 0, 'f', 4).arg(r.y(), 0, 'f', 4)));
    QVERIFY(Near(r.width(), 113.15) && Near(r.height(), 84.8625));
  }

  void LabelLinesStandAtTheLabelWithTheSidesOffsets_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("left-bound: values 0 and 1") << 1 << 29.784 + 4 << 32.04 + 6;
    QTest::newRow("right-bound: -15.5, values 5 and 6") << 2 << 14.284 - 3 << 32.04 + 9;
  }
  void LabelLinesStandAtTheLabelWithTheSidesOffsets() {
    QFETCH(int, page);
    QFETCH(double, x);
    QFETCH(double, y);
    PageContent content;
    FreeLabel& label = content.Label(3);
    label.left = 7000;
    label.top = 2000;
    label.text = QStringLiteral("春\r\n\r\n秋");
    label.visible = true;
    label.style.size = 10;
    content.Label(2).text = QStringLiteral("hidden");
    content.Label(51).text = QStringLiteral("fifty-one");
    content.Label(51).visible = true;
    LayoutSettings layout = Layout();
    layout.Set(0, 4);
    layout.Set(1, 6);
    layout.Set(5, -3);
    layout.Set(6, 9);
    const RecordingPrintSurface s = Print(content, page, layout);
    QCOMPARE(s.Texts().size(), 2);  // neither the hidden label nor label 51
    QList<Entry> lines;
    for (const Entry& e : s.Of(Kind::kText)) {
      if (!e.state.opaque_text && Near(e.state.x, x)) lines.append(e);
    }
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].text, QStringLiteral("春"));
    QCOMPARE(lines[1].text, QString());
    QCOMPARE(lines[2].text, QStringLiteral("秋"));
    QVERIFY(Near(lines[0].state.y, y));
    QVERIFY(lines[1].state.y > lines[0].state.y && lines[2].state.y > lines[1].state.y);
    QCOMPARE(lines[0].state.font.size, 17.0);  // shown size plus 7 points
  }

  void NoMarksInheritTheLastLabelsFontAndColour() {
    PageContent content;
    content.guide_lines = 1;
    TextStyle& style = content.Label(50).style;
    style.SetBold(true);
    style.underline = true;
    style.color = 255;
    QList<Entry> marks;
    for (const Entry& e : Print(content).Texts()) {
      if (e.text == QStringLiteral("No.")) marks.append(e);
    }
    QCOMPARE(marks.size(), 3);
    const PrintFont& f = marks[0].state.font;
    QVERIFY(f.italic && f.bold && f.underline);
    QCOMPARE(f.size, 13.0);
    QCOMPARE(f.name, QStringLiteral("MS 明朝"));
    QCOMPARE(marks[0].state.text_color, QColor(255, 0, 0));
  }

  void CalloutColoursPrintAsNamedOrGrey_data() {
    QTest::addColumn<int>("setting");
    QTest::addColumn<QColor>("printed");
    QTest::newRow("black prints grey") << 0 << QColor(128, 128, 128);
    QTest::newRow("red") << 255 << QColor(255, 0, 0);
    QTest::newRow("blue") << 16711680 << QColor(0, 0, 255);
    QTest::newRow("other") << 12345 << QColor(128, 128, 128);
  }
  void CalloutColoursPrintAsNamedOrGrey() {
    QFETCH(int, setting);
    QFETCH(QColor, printed);
    PageContent content;
    content.guide_lines = 1;  // the dotted rules before must not leak into the callouts
    content.rule_style = RuleStyle::kUnderline;
    CalloutLine& c = content.callouts[4];
    c.line = {6580, 1180, 7180, 1180, true};
    c.arrow_a = {6580, 1180, 6676.59f, 1154.12f, true};
    c.arrow_b = {6580, 1180, 6676.59f, 1205.88f, false};
    QList<Entry> lines;
    for (const Entry& e : Print(content, 1, Layout(), {3, 100, 20, setting}).Of(Kind::kLine)) {
      if (e.color != QColor(Qt::black)) lines.append(e);
    }
    QCOMPARE(lines.size(), 2);  // the line and its visible stroke
    QCOMPARE(lines[0].color, printed);
    QCOMPARE(lines[1].color, printed);
    QCOMPARE(lines[0].state.pen_width, 3);
    QCOMPARE(lines[0].state.pen_style, PenStyle::kSolid);
    QVERIFY(Near(lines[0].line.x1(), 15.42) && Near(lines[0].line.y1(), 2.65));
    QVERIFY(Near(lines[0].line.x2(), 35.94) && Near(lines[0].line.y2(), 2.65));
  }

  void GuideSwitchOffPrintsNoTextColumn() {
    PageContent content;
    content.guide_lines = 0;
    content.rule_style = RuleStyle::kFrame;
    content.lines[0].text = QStringLiteral("12");
    content.lines[1].text = QStringLiteral("外壁");
    content.Photo(1) = {7100, 1150, 3100, 2325, photo_, true};
    content.Label(1).text = QStringLiteral("ラベル");
    content.Label(1).visible = true;
    content.callouts[0].line = {7000, 2000, 8000, 2000, true};
    const RecordingPrintSurface s = Print(content);
    QCOMPARE(s.Texts().size(), 1);
    QCOMPARE(s.Texts()[0].text, QStringLiteral("ラベル"));
    QCOMPARE(s.Of(Kind::kBox).size(), 0);
    QCOMPARE(s.Of(Kind::kLine).size(), 1);
    QCOMPARE(s.Of(Kind::kPicture).size(), 1);
    QCOMPARE(s.Pages(), 1);
  }

  // A photo that its orientation turns to portrait prints undistorted in the middle of its box.
  void TurnedPhotoPrintsUndistorted() {
    const QString path = dir_.filePath(QStringLiteral("turned.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(test::WithExif(test::EncodeJpeg(QImage(400, 300, QImage::Format_RGB32)), 6));
    file.close();
    const QImage printed = PrintPhotoLoader().PhotoFor(path, QSizeF(113.15, 84.8625));
    QVERIFY(std::abs(printed.width() * 84.8625 / printed.height() - 113.15) < 1);
    QCOMPARE(printed.pixelColor(0, printed.height() / 2).alpha(), 0);
    QCOMPARE(printed.pixelColor(printed.width() / 2, printed.height() / 2).alpha(), 255);
  }
};

QTEST_MAIN(TstPageRenderer)
#include "tst_page_renderer.moc"
