#include <QtTest>

#include "editor/canvas_mode.h"

using namespace komasu;

namespace {

// Records what the modes hand on; DrawLine answers from `line_slot_free`.
class RecordingHandler : public CanvasModeHandler {
 public:
  bool line_slot_free = true;
  QStringList calls;
  void PlaceNewLabel(QPointF p) override {
    calls << QStringLiteral("label %1,%2").arg(p.x()).arg(p.y());
  }
  bool DrawLine(QPointF a, QPointF b) override {
    calls << QStringLiteral("line %1,%2-%3,%4").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y());
    return line_slot_free;
  }
  void DropLabel(QPointF p) override {
    calls << QStringLiteral("drop %1,%2").arg(p.x()).arg(p.y());
  }
};

void Run(CanvasMode& mode, RecordingHandler& handler, const QString& script) {
  const QHash<QString, std::function<void()>> steps{
      {"line", [&] { mode.StartLineDrawing(); }},
      {"label-input", [&] { mode.StartLabelInput(true); }},
      {"label-input-full", [&] { mode.StartLabelInput(false); }},
      {"font", [&] { mode.FontCommand(); }},
      {"label-left", [&] { mode.LabelPressed(true); }},
      {"label-right", [&] { mode.LabelPressed(false); }},
      {"press",
       [&] {
         mode.OverlayPress({100, 200});
       }},
      {"release",
       [&] {
         mode.OverlayRelease({700, 250});
       }},
      {"noslot", [&] { handler.line_slot_free = false; }},
      {"click", [&] { mode.OverlayClick(); }},
      {"drop",
       [&] {
         mode.OverlayDrop({50, 60});
       }},
      {"drop-refused", [&] { mode.LabelDropRefused(); }},
      {"dialog-closed", [&] { mode.LabelDialogClosed(); }}};
  for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
    QVERIFY2(steps.contains(step), qPrintable(step));
    steps[step]();
  }
}

}  // namespace

class TstCanvasMode : public QObject {
  Q_OBJECT

 private slots:
  void Modes_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("label4");
    QTest::addColumn<bool>("overlay");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("start") << "" << 0 << 0 << false << 0 << QStringList();
    QTest::newRow("line command") << "line" << 3 << 1 << true << 2 << QStringList();
    QTest::newRow("line drawn") << "line press release" << 0 << 1 << false << 1
                                << QStringList{"line 100,200-700,250"};
    QTest::newRow("no free line slot") << "line noslot press release" << 3 << 1 << true << 2
                                       << QStringList{"line 100,200-700,250"};
    QTest::newRow("label input") << "label-input" << 0 << 2 << true << 3 << QStringList();
    QTest::newRow("label input, all used")
        << "label-input-full" << 0 << 2 << false << 0 << QStringList();
    QTest::newRow("new label placed") << "label-input press dialog-closed release" << 0 << 2
                                      << false << 1 << QStringList{"label 100,200"};
    QTest::newRow("font command") << "line font" << 3 << 2 << true << 2 << QStringList();
    QTest::newRow("label selected") << "label-left" << 2 << 1 << true << 0 << QStringList();
    QTest::newRow("label dropped")
        << "label-left drop" << 2 << 1 << true << 0 << QStringList{"drop 50,60"};
    QTest::newRow("drop without selection") << "drop" << 0 << 0 << false << 0 << QStringList();
    QTest::newRow("drop refused") << "label-left drop-refused" << 2 << 1 << false << 0
                                  << QStringList();
    QTest::newRow("right press on a label")
        << "line label-right" << 3 << 1 << true << 2 << QStringList();
    // Press role 1 and activity 2: the press only hides, the release ends the mode.
    QTest::newRow("press ends the selection")
        << "label-left press" << 2 << 1 << false << 0 << QStringList();
    QTest::newRow("release ends the selection")
        << "label-left press release" << 0 << 1 << false << 1 << QStringList();
    QTest::newRow("release without press")
        << "line release" << 3 << 1 << true << 2 << QStringList();
    QTest::newRow("click hides") << "line click" << 3 << 1 << false << 2 << QStringList();
    // A label input after the line command: the press places the label and starts the line.
    QTest::newRow("label input over line mode")
        << "line label-input press release" << 0 << 2 << false << 1
        << QStringList{"label 100,200", "line 100,200-700,250"};
  }
  void Modes() {
    QFETCH(QString, script);
    CanvasMode mode;
    RecordingHandler handler;
    mode.SetHandler(&handler);
    Run(mode, handler, script);
    QTEST(mode.Activity(), "id");
    QTEST(mode.PressRole(), "label4");
    QTEST(mode.OverlayVisible(), "overlay");
    QTEST(static_cast<int>(mode.Pointer()), "pointer");
    QTEST(handler.calls, "calls");
  }
};

QTEST_APPLESS_MAIN(TstCanvasMode)
#include "tst_canvas_mode.moc"
