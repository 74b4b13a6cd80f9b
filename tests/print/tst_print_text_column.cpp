#include <QtTest>

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

TextColumnPlacement RightBound() {
  TextColumnPlacement at;
  at.text_shift = -158.5;
  at.rule_shift = 3;
  return at;
}

QList<Entry> Horizontal(const RecordingPrintSurface& s, double below_y) {
  QList<Entry> out;
  for (const Entry& e : s.Of(Kind::kLine)) {
    if (e.line.y1() < below_y) out.append(e);
  }
  return out;
}

}  // namespace

class TstPrintTextColumn : public QObject {
  Q_OBJECT

 private slots:
  void FrameRulesOfTheTopSlot() {
    RecordingPrintSurface s;
    TextColumnPlacement at;
    at.style = RuleStyle::kFrame;
    PrintTextColumn(Lines(), at, s);
    const auto boxes = s.Of(Kind::kBox);
    QCOMPARE(boxes.size(), 3);
    QCOMPARE(boxes[0].rect, QRectF(QPointF(157, -1.0), QPointF(198, 78.5)));
    QCOMPARE(boxes[0].state.pen_width, 5);
    QCOMPARE(boxes[0].state.pen_style, PenStyle::kSolid);
    QCOMPARE(boxes[1].rect.top(), 98.2);
    QCOMPARE(boxes[2].rect.bottom(), 276.0);

    const auto rules = Horizontal(s, 90);
    QCOMPARE(rules.size(), 8);
    QVERIFY(Near(rules[0].line.y1(), 7.7777) && Near(rules[0].line.x2(), 188));
    QCOMPARE(rules[0].state.pen_style, PenStyle::kDotted);
    QCOMPARE(rules[0].state.pen_width, 3);
    QVERIFY(Near(rules[1].line.y1(), 16.5554) && Near(rules[1].line.x2(), 198));
    QCOMPARE(rules[1].state.pen_width, 5);
    QCOMPARE(rules[1].state.pen_style, PenStyle::kSolid);
    for (int i = 2; i < 8; ++i) {
      QVERIFY2(Near(rules[i].line.y1(), 25.3331 + (i - 2) * 8.7777),
               qPrintable(QString::number(i)));
      QCOMPARE(rules[i].state.pen_width, 1);
      QCOMPARE(rules[i].state.pen_style, PenStyle::kSolid);
      QVERIFY(Near(rules[i].line.x1(), 157) && Near(rules[i].line.x2(), 198));
    }
    QVERIFY(Near(rules[7].line.y1(), 69.2216));
    for (const Entry& e : s.Of(Kind::kLine)) QCOMPARE(e.color, QColor(Qt::black));
  }

  void UnderlineRulesOfTheTopSlot() {
    RecordingPrintSurface s;
    TextColumnPlacement at;
    at.style = RuleStyle::kUnderline;
    at.pen_width = 2;
    PrintTextColumn(Lines(), at, s);
    QCOMPARE(s.Of(Kind::kBox).size(), 0);
    QCOMPARE(s.Of(Kind::kLine).size(), 27);
    const auto rules = Horizontal(s, 90);
    QCOMPARE(rules.size(), 9);
    for (int i = 0; i < 9; ++i) {
      QVERIFY(Near(rules[i].line.y1(), 7.7777 + i * 8.7777));
      QVERIFY(Near(rules[i].line.x1(), 157));
      QVERIFY(Near(rules[i].line.x2(), i == 0 ? 188 : 198));
      QCOMPARE(rules[i].state.pen_style, i < 2 ? PenStyle::kSolid : PenStyle::kDotted);
      QCOMPARE(rules[i].state.pen_width, i < 2 ? 4 : 2);
    }
  }

  void NoMarksAndTextLinesStandAtTheColumn_data() {
    QTest::addColumn<bool>("right_bound");
    QTest::addColumn<double>("no_x");
    QTest::addColumn<double>("frame_left");
    QTest::addColumn<double>("frame_right");
    QTest::newRow("left-bound") << false << 159.0 << 157.0 << 198.0;
    QTest::newRow("right-bound") << true << 0.5 << 1.5 << 42.5;
  }
  void NoMarksAndTextLinesStandAtTheColumn() {
    QFETCH(bool, right_bound);
    QFETCH(double, no_x);
    QFETCH(double, frame_left);
    QFETCH(double, frame_right);
    auto lines = Lines();
    lines[0].text = QStringLiteral("12");
    lines[1].text = QStringLiteral("外壁");
    lines[1].style.size = 6;
    RecordingPrintSurface s;
    TextColumnPlacement at = right_bound ? RightBound() : TextColumnPlacement();
    at.style = RuleStyle::kFrame;
    PrintTextColumn(lines, at, s);
    const auto texts = s.Texts();
    QCOMPARE(texts.size(), 5);
    QCOMPARE(texts[0].text, QStringLiteral("No."));
    QVERIFY(Near(texts[0].state.x, no_x) && Near(texts[0].state.y, 2.5));
    QVERIFY(Near(texts[1].state.y, 101.2) && Near(texts[2].state.y, 200));
    QCOMPARE(texts[3].text, QStringLiteral("12"));
    QVERIFY(Near(texts[3].state.x, no_x + 7) && Near(texts[3].state.y, 2.5));
    QCOMPARE(texts[3].state.font.size, 13.0);
    QCOMPARE(texts[4].text, QStringLiteral("外壁"));
    QVERIFY(Near(texts[4].state.x, no_x) && Near(texts[4].state.y, 11.2777));
    QCOMPARE(texts[4].state.font.size, 11.0);
    const QRectF box = s.Of(Kind::kBox)[0].rect;
    QVERIFY(Near(box.left(), frame_left) && Near(box.right(), frame_right));
  }

  void OffsetsMoveEachSlot() {
    RecordingPrintSurface s;
    TextColumnPlacement at;
    at.x0 = 3;
    at.y0 = 2;
    at.top = 1;
    at.middle = -1;
    at.bottom = 4;
    at.style = RuleStyle::kFrame;
    PrintTextColumn(Lines(), at, s);
    const auto marks = s.Texts();
    QVERIFY(Near(marks[0].state.x, 162) && Near(marks[0].state.y, -0.5 + 2 + 1 + 3));
    QVERIFY(Near(marks[1].state.y, 98.2 + 2 - 1 + 3));
    QVERIFY(Near(marks[2].state.y, 197 + 2 + 4 + 3));
    const auto boxes = s.Of(Kind::kBox);
    QCOMPARE(boxes[2].rect, QRectF(QPointF(160, 203), QPointF(201, 282)));
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

  void EmptySlotsStillGetMarksAndRules() {
    RecordingPrintSurface s;
    PrintTextColumn(Lines(), {}, s);
    QCOMPARE(s.Texts().size(), 3);
    QCOMPARE(s.Of(Kind::kLine).size(), 27);
  }
};

QTEST_APPLESS_MAIN(TstPrintTextColumn)
#include "tst_print_text_column.moc"
