#pragma once
// What the benchmarks share: a 499-page album whose pages show three 24-megapixel JPEGs each,
// timing and memory readings.

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "support/exif_fixture.h"

namespace komasu::bench {

constexpr int kPages = 499;
constexpr int kDistinctPhotos = 12;

inline double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Smooth shading with edges and grain, so the JPEG codec works as on a camera photo.
inline QImage PhotoLike(int seed) {
  QImage image(6000, 4000, QImage::Format_RGB32);
  QRandomGenerator rng(seed);
  const int cx = 1000 + seed * 350 % 4000, cy = 800 + seed * 270 % 2400;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int dx = x - cx, dy = y - cy;
      const int ring = ((dx * dx + dy * dy) >> 14) & 0xff;
      const int grain = static_cast<int>(rng.generate() & 3);
      const int r = (x * 255 / 6000 + ring / 2 + grain) & 0xff;
      const int g = (y * 255 / 4000 + seed * 20 + grain) & 0xff;
      const int b = ((x + y) / 40 + (x / 500 % 2) * 60 + grain) & 0xff;
      line[x] = qRgb(r, g, b);
    }
  }
  return image;
}

inline long PeakRssKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  }
  return -1;
}

inline void ResetPeakRss() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

struct Stats {
  double median = 0, worst = 0;
};

inline Stats Summarize(std::vector<double> v) {
  if (v.empty()) return {};
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v.back()};
}

// kDistinctPhotos 24-megapixel JPEGs in `dir` (written once), each with the EXIF thumbnail of
// `exif_thumbnail` (a camera's 160 × 120 thumbnail, as cameras and phones embed one) or none.
inline QStringList PhotoFiles(const QString& dir, bool exif_thumbnail = false) {
  QStringList photos;
  QElapsedTimer t;
  t.start();
  for (int i = 0; i < kDistinctPhotos; ++i) {
    const QString path = QDir(dir).filePath(
        QString::fromLatin1(exif_thumbnail ? "thumbed%1.jpg" : "photo%1.jpg").arg(i));
    if (!QFile::exists(path)) {
      const QImage photo = PhotoLike(i);
      QByteArray bytes = test::EncodeJpeg(photo);
      if (exif_thumbnail) {
        bytes = test::EmbedExifThumbnail(
            bytes, test::EncodeJpeg(photo.scaled(160, 120, Qt::IgnoreAspectRatio,
                                                  Qt::SmoothTransformation)));
      }
      QFile out(path);
      out.open(QIODevice::WriteOnly);
      out.write(bytes);
    }
    photos << path;
  }
  std::fprintf(stderr, "photos ready (%.0f ms, %lld bytes each)\n", Ms(t),
               static_cast<long long>(QFile(photos[0]).size()));
  return photos;
}

// The album bench.apt in `dir` of `pages` pages whose every slot names its own file (a hard
// link to one of `photos`, so no cache keyed by path can reuse another page's decode), with
// texts, a label and a callout line on every page.
inline QString BuildAlbum(const QString& dir, const QStringList& photos, int pages = kPages) {
  QList<QByteArray> records{EncodeCp932(SerializeHeader({"ベンチマーク", "計測", "2026/12/09"}))};
  for (int p = 1; p <= pages; ++p) {
    PageContent page;
    for (int s = 1; s <= 3; ++s) {
      const QString link = QDir(dir).filePath(
          QStringLiteral("%1_p%2_%3.jpg").arg(QFileInfo(photos[0]).baseName()).arg(p).arg(s));
      if (!QFile::exists(link)) {
        ::link(QFile::encodeName(photos[(3 * p + s) % kDistinctPhotos]).constData(),
               QFile::encodeName(link).constData());
      }
      page.Photo(s).path = link;
    }
    for (int i = 0; i < kSlotTextLines; ++i) {
      page.lines[i].text = i % 9 == 0 ? QString::number(3 * p + i / 9)
                                      : QStringLiteral("工事写真の説明文 %1 行目").arg(i % 9);
    }
    page.Label(1).text = QStringLiteral("ラベル");
    page.Label(1).visible = true;
    page.callouts[0].line = {7000, 2000, 8000, 2500, true};
    records << EncodeCp932(SerializePage(page));
  }
  const QString path = QDir(dir).filePath(QStringLiteral("bench.apt"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(JoinAlbumRecords(records));
  return path;
}


}  // namespace komasu::bench
