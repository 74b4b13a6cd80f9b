// The page overview on a 499-page album whose pages show three 24-megapixel JPEGs each, once
// with photos that carry an EXIF thumbnail (as cameras and phones write them) and once
// without: the first screen of pictures, the user-interface thread's work while scrolling a
// screen at a time, moving a page, and the memory the pictures of all pages take.
//
//   bench_page_overview [work folder]   (default: a temporary folder, removed afterwards)

#include <QApplication>
#include <QEventLoop>
#include <QListView>
#include <QMainWindow>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>

#include "bench_album.h"
#include "album/album.h"
#include "app/page_overview.h"
#include "commands/album_commands.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "platform/scripted_prompter.h"

using namespace komasu;
using namespace komasu::bench;

namespace {

QList<int> VisibleRows(QListView& list) {
  QList<int> rows;
  for (int r = 0; r < list.model()->rowCount(); ++r) {
    if (list.visualRect(list.model()->index(r, 0)).intersects(list.viewport()->rect())) {
      rows << r;
    }
  }
  return rows;
}

// Runs events until the pictures of the rows on screen are drawn (or 30 s passed); the longest
// single slice of event handling goes to `worst_slice`.
void WaitForScreen(QListView& list, PageOverviewModel& model, double* worst_slice = nullptr,
                   bool or_draft = false) {
  QElapsedTimer total;
  total.start();
  auto done = [&] {
    const QList<int> rows = VisibleRows(list);
    return std::all_of(rows.begin(), rows.end(), [&](int r) { return model.PictureReady(r, or_draft); });
  };
  while (!done() && total.elapsed() < 30000) {
    QElapsedTimer slice;
    slice.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (worst_slice) *worst_slice = std::max(*worst_slice, Ms(slice));
    QThread::msleep(1);
  }
}

struct Row {
  double first_drafts = 0, first_screen = 0;
  Stats scroll_frame, scroll_slice, move;
  double all_pictures_mb = 0;
  long rss_mb = 0;
};

Row Measure(const QString& album_path, const QString& program_dir) {
  ProgramFolder folder(program_dir);
  folder.WriteMissingDefaults();
  ScriptedPrompter prompter;
  SystemClock clock;
  Album album(folder, prompter, clock);
  AlbumCommands commands(album);
  album.OpenAlbumAt(album_path);
  QMainWindow window;
  window.setCentralWidget(new QWidget);
  auto* overview = new PageOverview(commands, &window);
  window.addDockWidget(Qt::LeftDockWidgetArea, overview);
  window.resize(1200, 1000);
  Row row;
  QElapsedTimer t;
  t.start();
  window.show();
  QCoreApplication::processEvents();
  QListView& list = overview->List();
  PageOverviewModel& model = overview->Model();
  PageThumbnails& thumbnails = model.Thumbnails();
  WaitForScreen(list, model, nullptr, true);
  row.first_drafts = Ms(t);
  WaitForScreen(list, model);
  row.first_screen = Ms(t);

  // A screen at a time, as a user paging down: the frame the scroll paints, and each slice of
  // event handling until the new screen's pictures are in.
  std::vector<double> frames, slices;
  QScrollBar* bar = list.verticalScrollBar();
  for (int i = 0; i < 20; ++i) {
    t.restart();
    bar->setValue(bar->value() + list.viewport()->height());
    list.viewport()->repaint();
    frames.push_back(Ms(t));
    double worst = 0;
    WaitForScreen(list, model, &worst);
    slices.push_back(worst);
  }
  row.scroll_frame = Summarize(frames);
  row.scroll_slice = Summarize(slices);

  std::vector<double> moves;
  for (int i = 0; i < 10; ++i) {
    t.restart();
    commands.MovePages({i % 2 == 0 ? 400 : 3}, i % 2 == 0 ? 3 : 401);
    QCoreApplication::processEvents();
    moves.push_back(Ms(t));
  }
  row.move = Summarize(moves);

  // Every page's picture, screen by screen.
  bar->setValue(0);
  while (true) {
    list.viewport()->repaint();
    WaitForScreen(list, model);
    if (bar->value() >= bar->maximum()) break;
    bar->setValue(bar->value() + list.viewport()->height());
  }
  thumbnails.WaitForDone();
  QCoreApplication::processEvents();
  row.all_pictures_mb = thumbnails.BytesKept() / 1048576.0;
  row.rss_mb = PeakRssKb() / 1024;
  return row;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir temp;
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
  std::printf("| photos | first screen, drafts ms | first screen ms | scroll frame ms (median / worst) | "
              "UI slice while pictures arrive ms (median / worst) | move a page ms (median / "
              "worst) | pictures of all 499 pages MB | peak RSS MB |\n|---|---|---|---|---|---|---|---|\n");
  for (const bool exif_thumbnail : {true, false}) {
    const QString sub = QDir(dir).filePath(exif_thumbnail ? "exif" : "plain");
    QDir().mkpath(sub + "/program");
    const QString album = BuildAlbum(sub, PhotoFiles(dir, exif_thumbnail));
    const Row r = Measure(album, sub + "/program");
    std::printf("| %s | %.0f | %.0f | %.1f / %.1f | %.1f / %.1f | %.0f / %.0f | %.0f | %ld |\n",
                exif_thumbnail ? "with EXIF thumbnail" : "without", r.first_drafts, r.first_screen,
                r.scroll_frame.median, r.scroll_frame.worst, r.scroll_slice.median,
                r.scroll_slice.worst, r.move.median, r.move.worst, r.all_pictures_mb, r.rss_mb);
    std::fflush(stdout);
  }
  return 0;
}
