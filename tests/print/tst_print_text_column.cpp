#include <QBuffer>
#include <QPdfWriter>
#include <QtTest>

#include "print/painter_print_surface.h"
#include "print/print_text_column.h"
#include "print/recording_print_surface.h"

using namespace komasu;
using Kind = RecordingPrintSurface::Kind;
using Entry = RecordingPrintSurface::Entry;

namespace {

bool Near(double a, double b) { return std::abs(a - b) < 1e-3; }

std::array<SlotTextLine, kSlotTextLines> Lines() {
  std::array<SlotTextLine, kSlotTextLines> lines;
  for (auto& l : lines) l.style.size = 8;
  return lines;
}

}  // namespace

class TstPrintTextColumn : public QObject {
  Q_OBJECT

 private slots:
  void RulesOfTheTopSlot_data() {
    QTest::addColumn<bool>("frame");
    QTest::addColumn<int>("pen");  // W
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QString>("dotted");  // 'd' where a rule is dotted
    QTest::newRow("frame, W = 1") << true << 1 << QList<int>{3, 5, 1, 1, 1, 1, 1, 1}
                                  << QStringLiteral("d.......");
    QTest::newRow("underline, W = 2")
        << false << 2 << QList<int>{4, 4, 2, 2, 2, 2, 2, 2, 2} << QStringLiteral("..ddddddd");
  }
  void RulesOfTheTopSlot() {
    QFETCH(bool, frame);
    QFETCH(int, pen);
    QFETCH(QList<int>, widths);
    QFETCH(QString, dotted);
    RecordingPrintSurface s;
    TextColumnPlacement at;
    at.style = frame ? RuleStyle::kFrame : RuleStyle::kUnderline;
    at.pen_width = pen;
    PrintTextColumn(Lines(), at, s);
    QList<Entry> rules;  // the horizontal rules of the top slot
    for (const Entry& e : s.Of(Kind::kLine)) {
      if (e.line.y1() < 90) rules.append(e);
      QCOMPARE(e.color, QColor(Qt::black));
    }
    QCOMPARE(rules.size(), widths.size());
    for (int i = 0; i < rules.size(); ++i) {
      const QLineF& l = rules[i].line;
      QVERIFY2(Near(l.y1(), 7.7777 + i * 8.7777) && Near(l.x1(), 157) &&
                   Near(l.x2(), i == 0 ? 188 : 198),
               qPrintable(QString::number(i)));
      QCOMPARE(rules[i].state.pen_width, widths[i]);
      QCOMPARE(rules[i].state.pen_style,
               dotted[i] == QLatin1Char('d') ? PenStyle::kDotted : PenStyle::kSolid);
    }
    const auto boxes = s.Of(Kind::kBox);
    QCOMPARE(boxes.size(), frame ? 3 : 0);
    QCOMPARE(s.Of(Kind::kLine).size(), 3 * rules.size());  // the same rules in every slot
    if (frame) {
      QCOMPARE(boxes[0].rect, QRectF(QPointF(157, -1.0), QPointF(198, 78.5)));
      QCOMPARE(boxes[0].state.pen_width, 5);
      QCOMPARE(boxes[0].state.pen_style, PenStyle::kSolid);
    }
  }

  void MarksTextAndFramesStandAtTheColumn_data() {
    QTest::addColumn<bool>("right_bound");
    QTest::addColumn<QList<double>>("offsets");  // x0, y0, top, middle, bottom
    QTest::addColumn<double>("no_x");
    QTest::addColumn<QList<double>>("no_y");  // of the three slots
    QTest::addColumn<double>("frame_left");
    const QList<double> none = {0, 0, 0, 0, 0};
    const QList<double> ys = {2.5, 101.2, 200};
    QTest::newRow("left-bound") << false << none << 159.0 << ys << 157.0;
    QTest::newRow("right-bound") << true << none << 0.5 << ys << 1.5;
    QTest::newRow("offsets") << false << QList<double>{3, 2, 1, -1, 4} << 162.0
                             << QList<double>{5.5, 102.2, 206} << 160.0;
  }
  void MarksTextAndFramesStandAtTheColumn() {
    QFETCH(bool, right_bound);
    QFETCH(QList<double>, offsets);
    QFETCH(double, no_x);
    QFETCH(QList<double>, no_y);
    QFETCH(double, frame_left);
    auto lines = Lines();
    lines[0].text = QStringLiteral("12");
    lines[1].text = QStringLiteral("外壁");
    lines[1].style.size = 6;
    RecordingPrintSurface s;
    TextColumnPlacement at;
    at.text_shift = right_bound ? -158.5 : 0;
    at.rule_shift = right_bound ? 3 : 0;
    at.x0 = offsets[0];
    at.y0 = offsets[1];
    at.top = offsets[2];
    at.middle = offsets[3];
    at.bottom = offsets[4];
    at.style = RuleStyle::kFrame;
    PrintTextColumn(lines, at, s);
    const auto texts = s.Texts();
    QCOMPARE(texts.size(), 5);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(texts[i].text, QStringLiteral("No."));
      QVERIFY(Near(texts[i].state.x, no_x) && Near(texts[i].state.y, no_y[i]));
    }
    QCOMPARE(texts[3].text, QStringLiteral("12"));
    QVERIFY(Near(texts[3].state.x, no_x + 7) && Near(texts[3].state.y, no_y[0]));
    QCOMPARE(texts[3].state.font.size, 13.0);
    QCOMPARE(texts[4].text, QStringLiteral("外壁"));
    QVERIFY(Near(texts[4].state.x, no_x) && Near(texts[4].state.y, no_y[0] + 8.7777));
    QCOMPARE(texts[4].state.font.size, 11.0);
    const auto boxes = s.Of(Kind::kBox);
    QCOMPARE(boxes.size(), 3);
    QVERIFY(Near(boxes[0].rect.left(), frame_left) && Near(boxes[0].rect.right(), frame_left + 41));
    QCOMPARE(boxes[1].rect.top(), no_y[1] - 3);
    QCOMPARE(boxes[2].rect, QRectF(frame_left, no_y[2] - 3, 41, 79));
  }

  void LongLinesAreCutAtTheFirstPrefixOf35Mm_data() {
    // The recording surface measures 13 pt as 4.586 mm a full-width character.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("printed");
    QTest::newRow("narrower than 35 mm")
        << QStringLiteral("あいうえおかき") << QStringLiteral("あいうえおかき");
    QTest::newRow("about 41 mm") << QStringLiteral("あいうえおかきくけ")
                                 << QStringLiteral("あいうえおかきく");
    QTest::newRow("half-width") << QStringLiteral("ABCDEFGHIJKLMNOPQR")
                                << QStringLiteral("ABCDEFGHIJKLMNOP");
  }
  void LongLinesAreCutAtTheFirstPrefixOf35Mm() {
    QFETCH(QString, text);
    QFETCH(QString, printed);
    auto lines = Lines();
    lines[20].text = text;
    RecordingPrintSurface s;
    PrintTextColumn(lines, {}, s);
    const auto texts = s.Texts();
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts[3].text, printed);
  }

  // The editor, the checks and every printer cut a line at the same character.
  void CutIsTheSameOnEveryDevice() {
    const TextStyle style{.size = 4.75};  // fontinfo.ini's 9.75 pt
    const QString text = QStringLiteral("illiterate lilt in little lit hills ilj あああ");
    for (int dpi : {96, 300, 600, 1200}) {
      QBuffer out;
      out.open(QIODevice::WriteOnly);
      QPdfWriter writer(&out);
      writer.setResolution(dpi);
      PainterPrintSurface surface(writer, PainterPrintSurface::Documents::kOne);
      surface.SetUpPage();
      ApplyTextStyle(style, kSlotLineExtraPoints, surface);
      QCOMPARE(CutSlotLine(style, text), std::optional<QString>(PrintedLineText(text, surface)));
    }
  }
};

QTEST_MAIN(TstPrintTextColumn)
#include "tst_print_text_column.moc"
