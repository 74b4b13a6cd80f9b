// Page moves through a 499-page album whose pages show three 24-megapixel JPEGs each,
// measured through the Album session and the page view the program uses. Prints one table.
//
//   bench_page_moves [work folder]   (default: a temporary folder, removed afterwards)

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_album.h"
#include "album/album.h"
#include "commands/album_commands.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "editor/editor_controller.h"
#include "editor/page_view.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/program_folder.h"
#include "platform/scripted_prompter.h"

using namespace komasu;
using namespace komasu::bench;

namespace {

constexpr int kMoves = 100;

// Runs events until every photo of the shown page is decoded, then paints once more.
void WaitForPhotos(PageView& view) {
  while (!view.PhotosComplete()) {
    QEventLoop loop;
    QObject::connect(&view.Photos(), &PhotoLoader::PhotoReady, &loop, &QEventLoop::quit);
    if (!view.PhotosComplete()) loop.exec();
  }
  view.repaint();
}

void Dwell(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir temp;
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
  QDir().mkpath(dir);
  const QString album_path = BuildAlbum(dir, PhotoFiles(dir));
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

  // The start dialog has drawn Japanese text before an album opens: the fonts are loaded.
  QLabel start_text(QStringLiteral("ＫＯＭＡＳＵⅡ ﾊﾞｰｼﾞｮﾝ 新規アルバム"));
  start_text.grab();

  ResetPeakRss();
  QElapsedTimer t;
  t.start();
  album.OpenAlbumAt(album_path);
  const double open_model_ms = Ms(t);
  view.repaint();
  const double open_ms = Ms(t);
  WaitForPhotos(view);
  const double open_photos_ms = Ms(t);

  // 1. No decoding ahead: every move waits for its own three photos.
  view.SetDecodeAhead(false);
  std::vector<double> interactive_cold, photos_cold;
  for (int i = 0; i < kMoves; ++i) {
    t.restart();
    album.NextPage();
    view.repaint();
    interactive_cold.push_back(Ms(t));
    WaitForPhotos(view);
    photos_cold.push_back(Ms(t));
  }

  // 2. The user stays half a second on each page; the next page is decoded meanwhile.
  view.SetDecodeAhead(true);
  view.RequestPhotos();
  std::vector<double> interactive_warm, photos_warm;
  for (int i = 0; i < kMoves; ++i) {
    Dwell(500);
    t.restart();
    album.NextPage();
    view.repaint();
    interactive_warm.push_back(Ms(t));
    WaitForPhotos(view);
    photos_warm.push_back(Ms(t));
  }
  const long peak_kb = PeakRssKb();

  const Stats ic = Summarize(interactive_cold), pc = Summarize(photos_cold);
  const Stats iw = Summarize(interactive_warm), pw = Summarize(photos_warm);
  std::printf("album: %d pages, %.1f MB; photos 6000x4000 JPEG; view %dx%d, photo box %dx%d px\n",
              kPages, QFile(album_path).size() / 1e6, view.width(), view.height(),
              qRound(3100 * view.Scale()), qRound(2325 * view.Scale()));
  std::printf("%-52s %10s %10s %8s\n", "measure", "median ms", "worst ms", "target");
  std::printf("%-52s %10.1f %10.1f %8s\n", "open album -> page 1 interactive", open_ms, open_ms,
              "<= 50");
  std::printf("%-52s %10.1f %10.1f %8s\n", "  of which opening in the Album session", open_model_ms,
              open_model_ms, "-");
  std::printf("%-52s %10.1f %10.1f %8s\n", "open album -> page 1 photos shown", open_photos_ms,
              open_photos_ms, "-");
  std::printf("%-52s %10.1f %10.1f %8s\n", "next page -> interactive (no decode ahead)", ic.median,
              ic.worst, "<= 25");
  std::printf("%-52s %10.1f %10.1f %8s\n", "next page -> interactive (after 0.5 s dwell)",
              iw.median, iw.worst, "<= 25");
  std::printf("%-52s %10.1f %10.1f %8s\n", "next page -> 3 photos shown (not decoded ahead)",
              pc.median, pc.worst, "<= 150");
  std::printf("%-52s %10.1f %10.1f %8s\n", "next page -> 3 photos shown (after 0.5 s dwell)",
              pw.median, pw.worst, "<= 40");
  std::printf("%-52s %10.1f %10s %8s\n", "peak memory over the 200 moves (MB)", peak_kb / 1024.0,
              "", "<= 200");
  return 0;
}
