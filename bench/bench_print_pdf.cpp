// Renders an album of 50 pages, each with three distinct 24-megapixel photos, into one PDF
// through the page renderer, and reports milliseconds and megabytes per page.
//
//   QT_QPA_PLATFORM=offscreen bench_print_pdf [pages]

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPdfWriter>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include "album/album.h"
#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/photo_decoder.h"
#include "platform/scripted_prompter.h"
#include "platform/text_file.h"
#include "print/page_renderer.h"
#include "print/painter_print_surface.h"
#include "print/pdf_export.h"
#include "print/print_photo_loader.h"

using namespace komasu;

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kDistinctPhotos = 9;

// A photo-like picture: sky and ground gradients, soft shapes, fine texture and sensor noise,
// so that its JPEG size is that of a camera picture rather than of a flat test image.
QImage PhotoLike(int seed) {
  QRandomGenerator rng(static_cast<quint32>(seed * 7919 + 17));
  QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, kPhotoHeight * 0.55);
  sky.setColorAt(0, QColor::fromHsv(200 + seed * 7 % 30, 120, 230));
  sky.setColorAt(1, QColor::fromHsv(190, 40, 250));
  p.fillRect(0, 0, kPhotoWidth, kPhotoHeight, sky);
  QLinearGradient ground(0, kPhotoHeight * 0.5, 0, kPhotoHeight);
  ground.setColorAt(0, QColor::fromHsv(90 + seed * 11 % 40, 140, 150));
  ground.setColorAt(1, QColor::fromHsv(40, 120, 70));
  p.fillRect(0, kPhotoHeight / 2, kPhotoWidth, kPhotoHeight / 2, ground);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 60; ++i) {
    const QPointF c(rng.bounded(kPhotoWidth), rng.bounded(kPhotoHeight));
    const double r = 80 + rng.bounded(700);
    QRadialGradient g(c, r);
    const QColor col =
        QColor::fromHsv(rng.bounded(360), 60 + rng.bounded(150), 60 + rng.bounded(190));
    g.setColorAt(0, col);
    g.setColorAt(1, col.darker(160));
    p.setBrush(g);
    p.drawEllipse(c, r, r * (0.5 + rng.bounded(1.0)));
  }
  for (int i = 0; i < 25000; ++i) {  // foliage and gravel
    const int y = kPhotoHeight / 2 + rng.bounded(kPhotoHeight / 2);
    p.setBrush(
        QColor::fromHsv(60 + rng.bounded(80), 100 + rng.bounded(120), 40 + rng.bounded(150)));
    p.drawEllipse(QPointF(rng.bounded(kPhotoWidth), y), 4 + rng.bounded(18), 3 + rng.bounded(10));
  }
  p.end();
  for (int y = 0; y < kPhotoHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kPhotoWidth; ++x) {
      const int n = static_cast<int>(rng.bounded(5)) - 2;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                     std::clamp(qBlue(c) + n, 0, 255));
    }
  }
  return image;
}

QString PageRecord(int n, const QStringList& photos) {
  PageContent page;
  page.guide_lines = 1;
  page.rule_style = n % 2 ? RuleStyle::kFrame : RuleStyle::kUnderline;
  for (int s = 0; s < 3; ++s) {
    page.Photo(s + 1).path = photos[(3 * n + s) % photos.size()];
    page.Line(s, 0).text = QString::number(3 * n + s + 1);
    for (int j = 1; j < 9; ++j)
      page.Line(s, j).text = QStringLiteral("北面外壁 %1-%2 施工状況").arg(n).arg(j);
  }
  FreeLabel& label = page.Label(1);
  label.text = QStringLiteral("現場写真\r\n第%1回").arg(n);
  label.left = 7200;
  label.top = 8300;
  label.style.size = 10;
  page.callouts[0].line = {7300, 2000, 8200, 2600, true};
  return SerializePage(page);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  QTextStream out(stdout);
  const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

  QTemporaryDir dir;
  QElapsedTimer timer;
  timer.start();
  QStringList photos;
  for (int i = 0; i < kDistinctPhotos; ++i) {
    const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
    if (!PhotoLike(i).save(path, "JPEG", 90)) {
      out << "cannot write " << path << "\n";
      return 1;
    }
    photos.append(path);
  }
  qint64 photo_bytes = 0;
  for (const QString& p : photos) photo_bytes += QFileInfo(p).size();
  out << "generated " << kDistinctPhotos << " photos of " << kPhotoWidth << "x" << kPhotoHeight
      << " (" << photo_bytes / kDistinctPhotos / 1024 << " KB each) in " << timer.elapsed()
      << " ms\n";

  // The parts: one scaled decode, and one page drawn from decoded photos.
  {
    QElapsedTimer t;
    t.start();
    const int rounds = 3;
    for (int i = 0; i < rounds; ++i) DecodePhoto(photos[i], QSize(1336, 1002));
    out << "one scaled decode to 1336x1002: " << t.elapsed() / rounds << " ms\n";
    t.restart();
    const QSize fitted = DecodeSizeFor(QSize(kPhotoWidth, kPhotoHeight), QSize(1336, 1002));
    for (int i = 0; i < rounds; ++i) DecodePhoto(photos[i], fitted);
    out << "one scaled decode to " << fitted.width() << "x" << fitted.height() << ": "
        << t.elapsed() / rounds << " ms\n";
  }

  {
    // Drawing alone: pages whose photos are decoded already.
    struct Ready : PrintPhotoSource {
      QList<QImage> images;
      int next = 0;
      QImage PhotoFor(const QString&, QSizeF) override {
        return images[next++ % images.size()].copy();
      }
    } ready;
    for (int i = 0; i < 3; ++i) ready.images.append(DecodePhoto(photos[i], QSize(1336, 1002)));
    QPdfWriter writer(dir.filePath(QStringLiteral("draw.pdf")));
    PainterPrintSurface surface(writer, PainterPrintSurface::Documents::kOne);
    PageContent page;
    DecodePageRecord(PageRecord(1, photos), page);
    for (int s = 1; s <= 3; ++s) {
      page.Photo(s).left = 7100;
      page.Photo(s).top = s == 1 ? 1150 : s == 2 ? 3800 : 6470;
      page.Photo(s).width = 3100;
      page.Photo(s).height = 2325;
    }
    LayoutSettings layout;
    layout.Set(10, 1);
    QElapsedTimer t;
    t.start();
    for (int n = 1; n <= 10; ++n) PrintPage(page, n, layout, {}, ready, surface);
    surface.Finish();
    out << "drawing a page with decoded photos: " << t.elapsed() / 10 << " ms\n";
  }

  const ProgramFolder folder(dir.path());
  folder.WriteMissingDefaults();
  QList<QByteArray> records = {EncodeCp932(QStringLiteral("ζベンチマークζζζ"))};
  for (int n = 1; n <= pages; ++n) records.append(EncodeCp932(PageRecord(n, photos)));
  const QString album_path = dir.filePath(QStringLiteral("bench.apt"));
  WriteFileAtomically(album_path, JoinAlbumRecords(records));

  ScriptedPrompter prompter;
  SystemClock clock;
  Album album(folder, prompter, clock);
  if (!album.OpenAlbumAt(album_path)) {
    out << "cannot open the album\n";
    return 1;
  }
  const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));
  timer.restart();
  const PdfExportResult result = ExportPdf(album, {1, pages, false}, pdf);
  const qint64 ms = timer.elapsed();
  if (!result.ok) {
    out << "export failed: " << result.error << " " << prompter.Notices().join(' ') << "\n";
    return 1;
  }
  const double mb = QFileInfo(pdf).size() / (1024.0 * 1024.0);
  out << pages << " pages, 3 photos each: " << ms << " ms total, "
      << QString::number(static_cast<double>(ms) / pages, 'f', 1) << " ms/page; PDF "
      << QString::number(mb, 'f', 1) << " MB, " << QString::number(mb / pages, 'f', 2)
      << " MB/page\n";
  if (qEnvironmentVariableIsSet("KOMASU_BENCH_KEEP")) {
    QFile::copy(pdf, qEnvironmentVariable("KOMASU_BENCH_KEEP"));
  }
  return 0;
}
