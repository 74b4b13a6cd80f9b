// Photo intake on a folder of 500 camera-like 24-megapixel JPEGs (6000 × 4000, each with its
// own 160 × 107 EXIF thumbnail) and one of 500 without an EXIF thumbnail (edited photos, scans):
// what the user waits for in the photo dialog. The dialog's file list model showing the folder,
// the preview of a clicked file through the preview loader's thread, the icon view's first 40
// and all 500 thumbnails with the longest block of the user-interface thread while they fill,
// the visible thumbnails after a jump to the end of a filling list, and a photo copied into the
// data folder and put into a slot. Prints one table.
//
//   bench_photo_intake [work folder]   (default: a temporary folder, removed afterwards; a
//                                       given folder keeps its photos for the next run)

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListView>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "album/album.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "commands/album_commands.h"
#include "photos/photo_folder_model.h"
#include "photos/photo_placement.h"
#include "photos/preview_loader.h"
#include "photos/thumbnail_model.h"
#include "photos/thumbnail_provider.h"
#include "photos/thumbnail_view.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/photo_decoder.h"
#include "platform/program_folder.h"
#include "platform/scripted_prompter.h"
#include "support/exif_fixture.h"

using namespace komasu;
using namespace komasu::test;

namespace {

constexpr int kPhotos = 500;
constexpr int kFirstThumbnails = 40;

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Processor time of the whole program (all threads), in ms: on a machine shared with other
// work the wall times grow, this does not.
double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

QString LoadAverage() {
  QFile f(QStringLiteral("/proc/loadavg"));
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("?");
  return QString::fromLatin1(f.readAll().trimmed());
}

// A 24-megapixel picture with gradients, rings and sensor-like grain, so that it compresses
// like a photo (about 7 MB at quality 90).
QImage PhotoLike() {
  QImage image(6000, 4000, QImage::Format_RGB32);
  QRandomGenerator rng(7);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int dx = x - 2300, dy = y - 1700;
      const int ring = ((dx * dx + dy * dy) >> 14) & 0xff;
      const int grain = static_cast<int>(rng.generate() & 15);
      line[x] =
          qRgb((x * 255 / 6000 + ring / 2 + grain) & 0xff, (y * 255 / 4000 + 40 + grain) & 0xff,
               ((x + y) / 40 + (x / 500 % 2) * 60 + grain) & 0xff);
    }
  }
  return image;
}

// The folder of camera files; made once, reused by later runs in the same work folder.
QStringList MakeCameraFolder(const QString& folder) {
  QDir().mkpath(folder);
  QStringList paths;
  for (int i = 1; i <= kPhotos; ++i) {
    paths << QDir(folder).filePath(QStringLiteral("DSC_%1.JPG").arg(i, 4, 10, QLatin1Char('0')));
  }
  if (std::all_of(paths.begin(), paths.end(), [](const QString& p) { return QFile::exists(p); })) {
    return paths;
  }
  std::printf("making %d camera files in %s ...\n", kPhotos, qPrintable(folder));
  std::fflush(stdout);
  const QImage photo = PhotoLike();
  const QByteArray jpeg = EncodeJpeg(photo, 90);
  const QImage small = photo.scaled(160, 107, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  for (int i = 0; i < kPhotos; ++i) {
    QImage thumb = small;
    QPainter painter(&thumb);
    painter.fillRect(4, 4, 60, 24, Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(QRect(4, 4, 60, 24), Qt::AlignCenter, QString::number(i + 1));
    painter.end();
    QFile file(paths[i]);
    file.open(QIODevice::WriteOnly);
    file.write(EmbedExifThumbnail(jpeg, EncodeJpeg(thumb, 85)));
  }
  return paths;
}

// Runs the event loop until `done` holds; returns the wall time.
template <typename Done>
double RunUntil(Done done) {
  QElapsedTimer t;
  t.start();
  while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return Ms(t);
}

// The longest gap between ticks of a 1 ms timer on the user-interface thread: how long the
// thread was kept from its events.
class BlockMeter {
 public:
  BlockMeter() {
    timer_.setInterval(1);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const double now = Ms(clock_);
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
  }
  void Start() {
    longest_ = 0;
    clock_.start();
    last_ = 0;
    timer_.start();
  }
  double Stop() {
    timer_.stop();
    return longest_;
  }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  double last_ = 0;
  double longest_ = 0;
};

bool AllReady(ThumbnailView& view, int first, int last) {
  for (int row = first; row <= last; ++row) {
    if (view.Provider().StateOf(view.Thumbnails().PathAt(row)) !=
        ThumbnailProvider::State::kReady) {
      return false;
    }
  }
  return true;
}

void Row(const char* what, double ms, const char* target) {
  std::printf("%-52s %10.1f %12s\n", what, ms, target);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir temp;
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
  const QString camera = QDir(dir).filePath(QStringLiteral("DCIM"));
  const QStringList paths = MakeCameraFolder(camera);
  const QString load_before = LoadAverage();

  // 1. The file list shows the folder: the dialog's own list model, and its view painted.
  std::vector<double> list_ms;
  QListView list;
  PhotoFolderModel files;
  list.setModel(&files);
  list.resize(300, 400);
  list.show();
  QCoreApplication::processEvents();
  for (int run = 0; run < 7; ++run) {
    files.SetFolder({});
    list.repaint();
    QElapsedTimer t;
    t.start();
    files.SetFolder(camera);
    list.repaint();
    list_ms.push_back(Ms(t));
    if (files.rowCount() != kPhotos) std::printf("listed %d files!\n", files.rowCount());
  }

  // 2. Preview of a clicked file: from the click to the preview's arrival on the user-interface
  // thread, decoded by the dialog's preview loader into the preview box (2775 × 2000 twips at
  // 96 dpi), with the longest block of the user-interface thread meanwhile.
  std::vector<double> preview_ms;
  double preview_block = 0;
  {
    PreviewLoader loader;
    QImage shown;
    QObject::connect(&loader, &PreviewLoader::Ready,
                     [&](const QString&, const QImage& image, QSize) { shown = image; });
    BlockMeter meter;
    meter.Start();
    for (int i = 0; i < 15; ++i) {
      shown = {};
      QElapsedTimer t;
      t.start();
      loader.Request(paths[i * 31], 96.0 / 1440);
      RunUntil([&] { return !loader.Busy(); });
      preview_ms.push_back(Ms(t));
      if (shown.isNull()) std::printf("preview failed!\n");
    }
    preview_block = meter.Stop();
  }

  // 3. Thumbnails: the icon view of the folder, filled in the background.
  double first_ms = 0, all_ms = 0, longest_block = 0;
  int exif_reads = 0, reads = 0;
  {
    ThumbnailView view;
    view.resize(800, 600);
    view.show();
    QCoreApplication::processEvents();
    BlockMeter meter;
    meter.Start();
    QElapsedTimer t;
    t.start();
    view.SetFolder(camera);
    RunUntil([&] { return AllReady(view, 0, kFirstThumbnails - 1); });
    first_ms = Ms(t);
    RunUntil([&] { return view.Provider().Idle(); });
    all_ms = Ms(t);
    longest_block = meter.Stop();
    reads = view.Provider().ReadCount();
    exif_reads = view.Provider().ExifCount();
    view.grab().save(QDir(dir).filePath(QStringLiteral("thumbnails.png")));
  }

  // 4. A jump to the end of the list while it fills: the items now on screen come next.
  double jump_ms = 0;
  {
    ThumbnailView view;
    view.resize(800, 600);
    view.show();
    QCoreApplication::processEvents();
    view.SetFolder(camera);
    RunUntil([&] { return view.Provider().ReadCount() >= 20; });
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    QElapsedTimer t;
    t.start();
    RunUntil([&] {
      const auto [first, last] = view.VisibleRows();
      return first >= 0 && AllReady(view, first, last);
    });
    jump_ms = Ms(t);
  }

  // 4b. Files without an EXIF thumbnail (edited photos, scans): the icon view of 500 of them,
  // each decoded at reduced size. The files are links to one photo, which the system then keeps
  // in memory: the decoding is measured, not the disk.
  double plain_first_ms = 0, plain_all_ms = 0, plain_block = 0, plain_cpu = 0;
  int plain_reads = 0;
  {
    const QString plain = QDir(dir).filePath(QStringLiteral("plain"));
    QDir().mkpath(plain);
    const QString original = QDir(dir).filePath(QStringLiteral("plain.jpg"));
    if (!QFile::exists(original)) PhotoLike().save(original, "JPEG", 90);
    for (int i = 0; i < kPhotos; ++i) {
      const QString link =
          QDir(plain).filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
      if (!QFile::exists(link)) ::link(QFile::encodeName(original), QFile::encodeName(link));
    }
    ThumbnailView view;
    view.resize(800, 600);
    view.show();
    QCoreApplication::processEvents();
    BlockMeter meter;
    meter.Start();
    const double cpu = CpuMs();
    QElapsedTimer t;
    t.start();
    view.SetFolder(plain);
    RunUntil([&] { return AllReady(view, 0, kFirstThumbnails - 1); });
    plain_first_ms = Ms(t);
    RunUntil([&] { return view.Provider().Idle(); });
    plain_all_ms = Ms(t);
    plain_cpu = CpuMs() - cpu;
    plain_block = meter.Stop();
    plain_reads = view.Provider().ReadCount() - view.Provider().ExifCount();
  }

  // 5. Copy-and-place: the clicked file copied into the data folder and put into slot 上.
  std::vector<double> place_ms;
  {
    const QString program = QDir(dir).filePath(QStringLiteral("program"));
    const QString data = QDir(dir).filePath(QStringLiteral("data"));
    QDir(data).removeRecursively();
    QDir().mkpath(program);
    QDir().mkpath(data);
    ProgramFolder folder(program);
    folder.WriteMissingDefaults();
    ScriptedPrompter prompter;
    SystemClock clock;
    Album album(folder, prompter, clock);
    AlbumCommands commands(album);
    const QString album_path = QDir(dir).filePath(QStringLiteral("bench.apt"));
    {
      QFile file(album_path);
      file.open(QIODevice::WriteOnly);
      file.write(
          JoinAlbumRecords({EncodeCp932(SerializeHeader({})), EncodeCp932(SerializePage({}))}));
    }
    album.OpenAlbumAt(album_path);
    for (int i = 0; i < 10; ++i) {
      QString error;
      QElapsedTimer t;
      t.start();
      const bool ok =
          PlacePhotoInSlot(commands, 1 + i % 3, paths[400 + i], true, data, clock, &error);
      place_ms.push_back(Ms(t));
      if (!ok) std::printf("placement failed: %s\n", qPrintable(error));
    }
  }

  std::printf(
      "\nfolder: %d JPEGs 6000x4000 (%.1f MB each) with EXIF thumbnails; "
      "%d thumbnail reads in parallel\n",
      kPhotos, QFileInfo(paths[0]).size() / 1e6, ThumbnailProvider::DefaultParallelReads());
  std::printf("load average before: %s; after: %s\n\n", qPrintable(load_before),
              qPrintable(LoadAverage()));
  std::printf("%-52s %10s %12s\n", "measure", "ms", "target");
  Row("file list shows the folder (median of 7)", Median(list_ms), "<= 100");
  Row("preview of a clicked file (median of 15)", Median(preview_ms), "<= 150 med");
  Row("preview, worst of 15", *std::max_element(preview_ms.begin(), preview_ms.end()), "");
  Row("longest UI-thread block during the previews", preview_block, "<= 16");
  Row("first 40 thumbnails", first_ms, "<= 500");
  Row("all 500 thumbnails", all_ms, "<= 10000");
  Row("longest UI-thread block while they fill", longest_block, "<= 16");
  Row("visible thumbnails after a jump to the end", jump_ms, "");
  Row("no EXIF thumbnail: first 40 thumbnails", plain_first_ms, "");
  Row("no EXIF thumbnail: all 500 thumbnails", plain_all_ms, "<= 10000");
  Row("no EXIF thumbnail: per thumbnail (all 500 / 500)", plain_all_ms / kPhotos, "<= 40");
  Row("no EXIF thumbnail: processor time per decode", plain_cpu / std::max(1, plain_reads), "");
  Row("longest UI-thread block while they fill", plain_block, "<= 16");
  Row("copy-and-place into a slot (median of 10)", Median(place_ms), "<= 100");
  Row("copy-and-place, worst of 10", *std::max_element(place_ms.begin(), place_ms.end()), "");
  std::printf("thumbnails read: %d, from EXIF: %d; without EXIF: %d decoded\n", reads, exif_reads,
              plain_reads);
  return 0;
}
