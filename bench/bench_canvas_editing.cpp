// Canvas editing on a page whose three slots show 24-megapixel JPEGs, measured through the
// Album session and the page view the program uses (view 900 x 1000): the repaint per step of a
// label dragged across the canvas, per character typed into a label shown on the page, and per
// callout drawn. Prints one table.
//
//   bench_canvas_editing [work folder]   (default: a temporary folder, removed afterwards)

#include <time.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_album.h"
#include "album/album.h"
#include "commands/album_commands.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "editor/editor_controller.h"
#include "editor/line_editing.h"
#include "editor/page_view.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/program_folder.h"
#include "platform/scripted_prompter.h"

using namespace komasu;

namespace {

constexpr int kDragSteps = 300;
constexpr int kKeystrokes = 200;
constexpr int kCallouts = 100;

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// CPU time of this thread: on a loaded machine the wall time includes waiting for a core.
double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Wall and CPU time of one step.
struct Step {
  QElapsedTimer wall;
  double cpu0 = 0;
  void Start() {
    cpu0 = ThreadCpuMs();
    wall.start();
  }
  void Stop(std::vector<double>& wall_ms, std::vector<double>& cpu_ms) const {
    wall_ms.push_back(Ms(wall));
    cpu_ms.push_back(ThreadCpuMs() - cpu0);
  }
};

struct Stats {
  double median = 0, p95 = 0, worst = 0;
};

Stats Summarize(std::vector<double> v) {
  if (v.empty()) return {};
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[v.size() * 95 / 100], v.back()};
}

void WaitForPhotos(PageView& view) {
  while (!view.PhotosComplete()) {
    QEventLoop loop;
    QObject::connect(&view.Photos(), &PhotoLoader::PhotoReady, &loop, &QEventLoop::quit);
    if (!view.PhotosComplete()) loop.exec();
  }
  view.repaint();
}

QString LoadAverage() {
  QFile f(QStringLiteral("/proc/loadavg"));
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("?");
  return QString::fromLatin1(f.readAll().trimmed());
}

// A one-page album: three photos, full slot texts, one label and two callouts.
QString BuildAlbum(const QString& dir) {
  PageContent page;
  for (int s = 1; s <= 3; ++s) {
    const QString path = QDir(dir).filePath(QStringLiteral("photo%1.jpg").arg(s));
    if (!QFile::exists(path)) bench::PhotoLike(s).save(path, "JPEG", 90);
    page.Photo(s).path = path;
  }
  for (int i = 0; i < kSlotTextLines; ++i) {
    page.lines[i].text = i % 9 == 0 ? QString::number(1 + i / 9)
                                    : QStringLiteral("工事写真の説明文 %1 行目").arg(i % 9);
  }
  page.Label(1).text = QStringLiteral("配筋状況\r\n北側より");
  page.Label(1).visible = true;
  page.Label(1).left = 7000;
  page.Label(1).top = 1500;
  page.callouts[0].line = {7000, 2000, 8000, 2500, true};
  page.callouts[1].line = {8000, 2500, 9000, 2500, true};
  QList<QByteArray> records{EncodeCp932(SerializeHeader({"ベンチマーク", "計測", "2026/12/09"}))};
  records << EncodeCp932(SerializePage(page));
  const QString path = QDir(dir).filePath(QStringLiteral("bench.apt"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(JoinAlbumRecords(records));
  return path;
}

void Row(const char* what, const Stats& s, const char* median_target, const char* worst_target) {
  std::printf("%-44s %10.2f %10.2f %10.2f %10s %10s\n", what, s.median, s.p95, s.worst,
              median_target, worst_target);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir temp;
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
  QDir().mkpath(dir);
  const QString album_path = BuildAlbum(dir);
  const QString program = QDir(dir).filePath(QStringLiteral("program"));
  QDir().mkpath(program);
  ProgramFolder folder(program);
  folder.WriteMissingDefaults();

  ScriptedPrompter prompter;
  SystemClock clock;
  Album album(folder, prompter, clock);
  AlbumCommands commands(album);
  EditorController editor(commands);
  PageView view(editor);
  view.resize(900, 1000);
  view.show();
  QCoreApplication::processEvents();
  QLabel start_text(QStringLiteral("ＫＯＭＡＳＵⅡ ﾊﾞｰｼﾞｮﾝ 新規アルバム"));
  start_text.grab();

  const QString load_before = LoadAverage();
  album.OpenAlbumAt(album_path);
  album.ApplySettingsFiles();
  WaitForPhotos(view);
  // A few paints so that fonts and caches are warm.
  for (int i = 0; i < 5; ++i) view.repaint();
  Step t;

  // 1. A label dragged across the canvas: each step moves it and repaints.
  const int decodes_before = view.Photos().DecodeCount();
  std::vector<double> drag, drag_cpu;
  for (int i = 0; i < kDragSteps; ++i) {
    const float left = 6480 + 4500.0f * i / kDragSteps;
    const float top = 1080 + 7000.0f * ((i * 37) % kDragSteps) / kDragSteps;
    t.Start();
    commands.ChangeShownPage(QStringLiteral("編集"), [&](PageContent& p, PageDecor&) {
      p.Label(1).left = left;
      p.Label(1).top = top;
    });
    view.repaint();
    t.Stop(drag, drag_cpu);
  }
  QCoreApplication::processEvents();
  const int drag_decodes = view.Photos().DecodeCount() - decodes_before;

  // 2. Characters typed into a label standing on the page.
  const QString typed = QStringLiteral("基礎配筋検査状況ＡＢＣ東側より撮影");
  std::vector<double> keys, keys_cpu;
  for (int i = 0; i < kKeystrokes; ++i) {
    const QChar c = typed.at(i % typed.size());
    t.Start();
    commands.ChangeShownPage(QStringLiteral("編集"), [&](PageContent& p, PageDecor&) {
      QString& text = p.Label(1).text;
      if (text.size() > 40) text.clear();
      text.append(c);
    });
    view.repaint();
    t.Stop(keys, keys_cpu);
  }

  // 3. Callouts drawn through the canvas mode; removed again untimed.
  editor.SetArrowOption(true);
  std::vector<double> callouts, callouts_cpu;
  for (int i = 0; i < kCallouts; ++i) {
    StartLine(editor, LineKind::kCallout);
    const QPointF press(500 + 30 * (i % 50), 800 + 50 * (i % 100));
    editor.Mode().OverlayPress(press);
    t.Start();
    editor.Mode().OverlayRelease(press + QPointF(1500, -400));
    view.repaint();
    t.Stop(callouts, callouts_cpu);
    RemoveLastLine(editor);
    RemoveLastLine(editor);
  }
  const int all_decodes = view.Photos().DecodeCount() - decodes_before;

  const Stats d = Summarize(drag), k = Summarize(keys), c = Summarize(callouts);
  std::printf("page: 3 photos 6000x4000 JPEG, 27 slot texts, 1 label, 2 lines; view %dx%d\n",
              view.width(), view.height());
  std::printf("load average before: %s; after: %s\n", qPrintable(load_before),
              qPrintable(LoadAverage()));
  std::printf("%-44s %10s %10s %10s %10s %10s\n", "measure (n)", "median ms", "p95 ms", "worst ms",
              "target", "worst tgt");
  Row(qPrintable(QStringLiteral("label drag step -> repainted (%1)").arg(kDragSteps)), d, "<= 8",
      "<= 16");
  Row(qPrintable(QStringLiteral("keystroke into label -> repainted (%1)").arg(kKeystrokes)), k,
      "<= 8", "<= 16");
  Row(qPrintable(QStringLiteral("callout drawn -> repainted (%1)").arg(kCallouts)), c, "-", "-");
  Row("  CPU time of the label drag step", Summarize(drag_cpu), "-", "-");
  Row("  CPU time of the keystroke", Summarize(keys_cpu), "-", "-");
  Row("  CPU time of the callout", Summarize(callouts_cpu), "-", "-");
  std::printf("photo decodes during the drag: %d; during all three: %d\n", drag_decodes,
              all_decodes);
  return drag_decodes == 0 ? 0 : 1;
}
