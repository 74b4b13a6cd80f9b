#include <QtTest>

#include "album/page_record.h"
#include "editor/line_editing.h"
#include "support/test_folder.h"

using namespace komasu;
using namespace komasu::test;

namespace {

// An open one-page album whose callout settings give arrow heads of 100 twips at 15 degrees.
struct LineFixture : AlbumFixture {
  QString path;
  LineFixture() {
    QStringList position = DefaultPositionLines();
    position[16] = QStringLiteral("100");
    position[17] = QStringLiteral("15");
    WriteBytes(folder.Program().PositionIni(), position.join(QStringLiteral("\r\n")).toLatin1());
    path = Open(QStringLiteral("lines.apt"),
                {SerializeHeader({QStringLiteral("線"), {}, {}}), PageWithTexts({})});
    album->ApplySettingsFiles();
    commands->SetModified(false);
  }
  // A press and release on the canvas overlay in line drawing mode of `kind`.
  void Draw(LineKind kind, QPointF press, QPointF release) {
    StartLine(*editor, kind);
    editor->Mode().OverlayPress(press);
    editor->Mode().OverlayRelease(release);
  }
  const std::array<CalloutLine, kCalloutLines>& Lines() const { return album->Page().callouts; }
};

void CompareEnd(const LineStroke& s, QPointF end, const char* what) {
  if (qAbs(s.x2 - end.x()) > 0.005 || qAbs(s.y2 - end.y()) > 0.005) {
    QFAIL(qPrintable(QStringLiteral("%1 ends at (%2, %3), expected (%4, %5)")
                         .arg(QString::fromUtf8(what))
                         .arg(s.x2, 0, 'f', 3)
                         .arg(s.y2, 0, 'f', 3)
                         .arg(end.x(), 0, 'f', 3)
                         .arg(end.y(), 0, 'f', 3)));
  }
}

void CompareStroke(const LineStroke& s, QLineF expected) {
  QCOMPARE(s.visible, true);
  QCOMPARE(QLineF(s.x1, s.y1, s.x2, s.y2), expected);
}

const LineStroke kHidden{};

}  // namespace

class TestLineEditing : public QObject {
  Q_OBJECT

 private slots:
  void arrowHead_data() {
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<int>("length");
    QTest::addColumn<float>("angle");
    QTest::addColumn<QPointF>("end_a");
    QTest::addColumn<QPointF>("end_b");
    // Rightwards, A = 0.
    QTest::newRow("worked example") << QLineF(6580, 1180, 7180, 1180) << 100 << 15.0f
                                    << QPointF(6676.593, 1154.119) << QPointF(6676.593, 1205.881);
    // A = -90: both strokes run upward from the start point.
    QTest::newRow("vertical upward") << QLineF(7000, 5000, 7000, 3000) << 100 << 15.0f
                                     << QPointF(6974.124, 4903.406) << QPointF(7025.886, 4903.408);
    QTest::newRow("leftwards") << QLineF(8000, 2000, 7000, 2000) << 100 << 15.0f
                               << QPointF(7903.410, 2025.890) << QPointF(7903.405, 1974.128);
    QTest::newRow("up and left") << QLineF(8000, 6000, 7000, 4000) << 200 << 20.0f
                                 << QPointF(7854.753, 5862.511) << QPointF(7977.107, 5801.314);
    // A long stroke shows the 3.1415 of the radian step (with pi the first end would be at
    // (9897.777, 2776.457)).
    QTest::newRow("down and right, long")
        << QLineF(7000, 2000, 8000, 3000) << 3000 << 30.0f << QPointF(9897.928, 2775.898)
        << QPointF(7777.106, 4897.604);
  }
  void arrowHead() {
    QFETCH(QLineF, line);
    QFETCH(int, length);
    QFETCH(float, angle);
    QFETCH(QPointF, end_a);
    QFETCH(QPointF, end_b);
    const LineStroke stroke{static_cast<float>(line.x1()), static_cast<float>(line.y1()),
                            static_cast<float>(line.x2()), static_cast<float>(line.y2()), true};
    const auto head = ArrowHeadOf(stroke, static_cast<int16_t>(length), angle);
    QVERIFY(head.has_value());
    QCOMPARE(QPointF(head->a.x1, head->a.y1), line.p1());
    QCOMPARE(QPointF(head->b.x1, head->b.y1), line.p1());
    CompareEnd(head->a, end_a, "first stroke");
    CompareEnd(head->b, end_b, "second stroke");
  }

  void zeroLengthLineHasNoArrowHead() {
    QVERIFY(!ArrowHeadOf({7000, 2000, 7000, 2000, true}, 100, 15).has_value());
  }

  // Straight lines through the canvas overlay: the clamp of the release point and the arrow
  // option.
  void straightLine_data() {
    QTest::addColumn<bool>("arrow");
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QPointF>("release");
    QTest::addColumn<QLineF>("expected");
    QTest::newRow("worked example")
        << true << QPointF(100, 100) << QPointF(700, 100) << QLineF(6580, 1180, 7180, 1180);
    QTest::newRow("no arrow option")
        << false << QPointF(100, 100) << QPointF(700, 100) << QLineF(6580, 1180, 7180, 1180);
    QTest::newRow("left of and above the canvas")
        << false << QPointF(300, 400) << QPointF(-250, -40) << QLineF(6780, 1480, 6480, 1080);
    QTest::newRow("far right and below")
        << true << QPointF(300, 400) << QPointF(9000, 9000) << QLineF(6780, 1480, 11985, 8880);
  }
  void straightLine() {
    QFETCH(bool, arrow);
    QFETCH(QPointF, press);
    QFETCH(QPointF, release);
    QFETCH(QLineF, expected);
    LineFixture f;
    f.editor->SetArrowOption(arrow);
    f.Draw(LineKind::kStraight, press, release);
    CompareStroke(f.Lines()[0].line, expected);
    if (arrow) {
      QVERIFY(f.Lines()[0].arrow_a.visible && f.Lines()[0].arrow_b.visible);
      if (QTest::currentDataTag() == QByteArray("worked example")) {
        CompareEnd(f.Lines()[0].arrow_a, QPointF(6676.593, 1154.119), "yj");
        CompareEnd(f.Lines()[0].arrow_b, QPointF(6676.593, 1205.881), "yjm");
      }
    } else {
      QCOMPARE(f.Lines()[0].arrow_a, kHidden);
      QCOMPARE(f.Lines()[0].arrow_b, kHidden);
    }
    QCOMPARE(f.Lines()[1], CalloutLine());
    QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kNoMode);
    QVERIFY(!f.editor->Mode().OverlayVisible());
    QVERIFY(f.album->IsModified());
    QVERIFY(f.prompter.Notices().isEmpty());
  }

  void calloutBend_data() {
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QPointF>("release");
    QTest::addColumn<float>("bend");
    QTest::newRow("rightwards") << QPointF(100, 900) << QPointF(701, 300) << 6880.5f;
    QTest::newRow("leftwards") << QPointF(701, 300) << QPointF(100, 900) << 6880.5f;
    // A vertical slanted leg and a horizontal leg of length 0.
    QTest::newRow("same x") << QPointF(400, 900) << QPointF(400, 300) << 6880.0f;
  }
  void calloutBend() {
    QFETCH(QPointF, press);
    QFETCH(QPointF, release);
    QFETCH(float, bend);
    LineFixture f;
    f.Draw(LineKind::kCallout, press, release);
    const QPointF start = press + kPageCanvas.topLeft(), end = release + kPageCanvas.topLeft();
    CompareStroke(f.Lines()[0].line, QLineF(start, QPointF(bend, end.y())));
    // The arrow head is drawn whatever the arrow option says, on the slanted leg only.
    const auto head = ArrowHeadOf(f.Lines()[0].line, 100, 15);
    QCOMPARE(f.Lines()[0].arrow_a, head->a);
    QCOMPARE(f.Lines()[0].arrow_b, head->b);
    CompareStroke(f.Lines()[1].line, QLineF(QPointF(bend, end.y()), end));
    QCOMPARE(f.Lines()[1].arrow_a, kHidden);
    QCOMPARE(f.Lines()[1].arrow_b, kHidden);
    QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kNoMode);
  }

  // Which slots a new line takes: the first free one, a callout the first two consecutive
  // free ones; none free keeps the drawing mode with a message.
  void lineSlots_data() {
    QTest::addColumn<QList<int>>("used");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("slot");  // -1: refused
    QList<int> all, first14, but13;
    for (int i = 0; i < kCalloutLines; ++i) all << i;
    for (int i = 0; i < 14; ++i) first14 << i;
    for (int i = 0; i < kCalloutLines; ++i) {
      if (i != 13) but13 << i;
    }
    QTest::newRow("empty page, line") << QList<int>{} << 0 << 0;
    QTest::newRow("empty page, callout") << QList<int>{} << 1 << 0;
    QTest::newRow("gap, line") << QList<int>{0, 1, 3} << 0 << 2;
    QTest::newRow("single gap skipped by callout") << QList<int>{0, 1, 3} << 1 << 4;
    QTest::newRow("fifteen lines, line") << all << 0 << -1;
    QTest::newRow("fifteen lines, callout") << all << 1 << -1;
    QTest::newRow("only slot 14 free, line") << first14 << 0 << 14;
    QTest::newRow("only slot 14 free, callout") << first14 << 1 << -1;
    QTest::newRow("only slot 13 free, callout") << but13 << 1 << -1;
  }
  void lineSlots() {
    QFETCH(QList<int>, used);
    QFETCH(int, kind);
    QFETCH(int, slot);
    LineFixture f;
    Edit(*f.album, [&](PageContent& p) {
      for (int i : used) p.callouts[i].line = {7000, 2000, 7500, 2000 + 100.0f * i, true};
    });
    f.commands->SetModified(false);
    const PageContent before = f.album->Page();
    f.Draw(static_cast<LineKind>(kind), QPointF(100, 100), QPointF(600, 500));
    if (slot < 0) {
      QCOMPARE(f.album->Page(), before);
      QCOMPARE(f.prompter.Notices(), QStringList{kTooManyLinesMessage});
      QVERIFY(!f.album->IsModified());
      QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kDrawingLine);
      QVERIFY(f.editor->Mode().OverlayVisible());
      // Every further release repeats the message until the mode is left.
      f.editor->Mode().OverlayPress(QPointF(10, 10));
      f.editor->Mode().OverlayRelease(QPointF(20, 20));
      QCOMPARE(f.prompter.Notices().size(), 2);
      QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kDrawingLine);
      return;
    }
    QVERIFY(f.prompter.Notices().isEmpty());
    const int taken = kind == 1 ? 2 : 1;
    for (int i = 0; i < kCalloutLines; ++i) {
      const bool drawn = i >= slot && i < slot + taken;
      QCOMPARE(f.Lines()[i].line.visible, drawn || used.contains(i));
      if (!drawn) QCOMPARE(f.Lines()[i], before.callouts[i]);
    }
    QCOMPARE(f.Lines()[slot].line.x1, 6580.0f);
    QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kNoMode);
  }

  void zeroLengthLineIsNotDrawn_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPointF>("release");
    QTest::newRow("line") << 0 << QPointF(300, 300);
    QTest::newRow("callout") << 1 << QPointF(300, 300);
    // The release point is clamped before the comparison.
    QTest::newRow("clamped onto the press point") << 1 << QPointF(5505, 9999);
  }
  void zeroLengthLineIsNotDrawn() {
    QFETCH(int, kind);
    QFETCH(QPointF, release);
    LineFixture f;
    f.editor->SetArrowOption(true);
    const QPointF press = release.x() > 5000 ? QPointF(5505, 7800) : QPointF(300, 300);
    f.Draw(static_cast<LineKind>(kind), press, release);
    for (const CalloutLine& c : f.Lines()) QCOMPARE(c, CalloutLine());
    QVERIFY(!f.album->IsModified());
    QVERIFY(f.prompter.Notices().isEmpty());
    QCOMPARE(f.editor->Mode().Activity(), CanvasMode::kNoMode);
    QVERIFY(!f.editor->Mode().OverlayVisible());
  }

  void removeLastLine() {
    LineFixture f;
    f.editor->SetArrowOption(true);
    f.Draw(LineKind::kStraight, QPointF(100, 100), QPointF(700, 100));
    f.Draw(LineKind::kCallout, QPointF(100, 900), QPointF(700, 300));
    const CalloutLine straight = f.Lines()[0], slanted = f.Lines()[1];
    f.commands->SetModified(false);
    // The callout goes in two steps: its horizontal leg first.
    RemoveLastLine(*f.editor);
    QCOMPARE(f.Lines()[2], CalloutLine());
    QCOMPARE(f.Lines()[1], slanted);
    QVERIFY(f.album->IsModified());
    RemoveLastLine(*f.editor);
    QCOMPARE(f.Lines()[1], CalloutLine());
    QCOMPARE(f.Lines()[0], straight);
    RemoveLastLine(*f.editor);
    QCOMPARE(f.Lines()[0], CalloutLine());
    // Nothing left: nothing changes, and the album is not marked modified by it.
    f.commands->SetModified(false);
    QSignalSpy changed(f.album.get(), &Album::PageChanged);
    RemoveLastLine(*f.editor);
    QCOMPARE(changed.count(), 0);
    QVERIFY(!f.album->IsModified());
  }

  void linesSurviveSaveAndReopen() {
    LineFixture f;
    f.editor->SetArrowOption(true);
    f.Draw(LineKind::kStraight, QPointF(100.5, 100.25), QPointF(700, 4321));
    f.Draw(LineKind::kCallout, QPointF(1234, 900), QPointF(333, 300));
    const auto drawn = f.Lines();
    QVERIFY(f.album->Save());
    AlbumFixture reopened;
    reopened.prompter.yes_no = {true};  // the album is still open above: read-only
    QVERIFY(reopened.album->OpenAlbumAt(f.path));
    // The record keeps seven significant digits of each coordinate.
    const auto& read = reopened.album->Page().callouts;
    for (int i = 0; i < kCalloutLines; ++i) {
      const LineStroke* pairs[3][2] = {{&read[i].line, &drawn[i].line},
                                       {&read[i].arrow_a, &drawn[i].arrow_a},
                                       {&read[i].arrow_b, &drawn[i].arrow_b}};
      for (const auto& [got, want] : pairs) {
        QCOMPARE(got->visible, want->visible);
        QCOMPARE(QPointF(got->x1, got->y1), QPointF(want->x1, want->y1));
        CompareEnd(*got, QPointF(want->x2, want->y2), "stored stroke");
      }
    }
    QVERIFY(drawn[0].arrow_a.visible && drawn[1].arrow_a.visible && drawn[2].line.visible);
  }
};

QTEST_GUILESS_MAIN(TestLineEditing)
#include "tst_line_editing.moc"
