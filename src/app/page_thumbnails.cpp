#include "app/page_thumbnails.h"

#include <QCryptographicHash>
#include <QPainter>
#include <QThread>
#include <atomic>

#include "photos/thumbnail_reader.h"
#include "platform/photo_decoder.h"
#include "print/page_renderer.h"
#include "print/painter_print_surface.h"

namespace komasu {

namespace {

constexpr double kA4Width = 210, kA4Height = 297;  // mm
constexpr qsizetype kMaxKeptBytes = 120 * 1024 * 1024;

// Photos as small as the picture needs: a camera's EXIF thumbnail is enough for a page a few
// centimetres high and costs nothing to decode.
class ThumbnailPhotos : public PrintPhotoSource {
 public:
  explicit ThumbnailPhotos(double px_per_mm) : px_per_mm_(px_per_mm) {}
  QImage PhotoFor(const QString& path, QSizeF box_mm) override {
    const QSize box(std::max(1, qRound(box_mm.width() * px_per_mm_ * 2)),
                    std::max(1, qRound(box_mm.height() * px_per_mm_ * 2)));
    QImage image = ReadThumbnail(path, box).image;
    // As printed: a photo its orientation tag turns to portrait stands centred in the box.
    if (image.height() > image.width() && ReadPhotoShape(path).TurnedToPortrait()) {
      const QSize canvas = box.scaled(image.size(), Qt::KeepAspectRatioByExpanding);
      QImage out(canvas, QImage::Format_ARGB32_Premultiplied);
      out.fill(Qt::transparent);
      QPainter(&out).drawImage((canvas.width() - image.width()) / 2,
                               (canvas.height() - image.height()) / 2, image);
      return out;
    }
    return image;
  }

 private:
  double px_per_mm_;
};

}  // namespace

QImage DrawPageThumbnail(const PageContent& page, int n, const LayoutSettings& layout,
                         const CalloutSettings& callout, int width) {
  QImage image(width, qRound(width * kA4Height / kA4Width), QImage::Format_RGB32);
  image.fill(Qt::white);
  const double px_per_mm = width / kA4Width;
  image.setDotsPerMeterX(qRound(px_per_mm * 1000));
  image.setDotsPerMeterY(qRound(px_per_mm * 1000));
  ThumbnailPhotos photos(px_per_mm);
  PainterPrintSurface surface(image);
  PrintPage(page, n, layout, callout, photos, surface);
  surface.Finish();
  return image;
}

QByteArray PageThumbnailKey(const QByteArray& record, PageSide side) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  hash.addData(record);
  hash.addData(QByteArrayView(side == PageSide::kLeftBound ? "L" : "R"));
  return hash.result();
}

struct PageThumbnails::Job {
  std::atomic<bool> started{false};
};

PageThumbnails::PageThumbnails(QObject* parent) : QObject(parent) {
  pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
  kept_.setMaxCost(kMaxKeptBytes);
}

PageThumbnails::~PageThumbnails() {
  pool_.clear();
  pool_.waitForDone();
}

QImage PageThumbnails::Find(const QByteArray& key) const {
  const QImage* image = kept_.object(key);
  return image ? *image : QImage();
}

void PageThumbnails::Request(const QByteArray& key, const PageContent& page, int n,
                             const LayoutSettings& layout, const CalloutSettings& callout) {
  if (kept_.contains(key) || pending_.contains(key)) return;
  auto job = std::make_shared<Job>();
  pending_.insert(key, job);
  pool_.start(
      [this, key, job, page, n, layout, callout] {
        job->started = true;
        const QImage image = DrawPageThumbnail(page, n, layout, callout);
        QMetaObject::invokeMethod(this, [this, key, image] { Finished(key, image); },
                                  Qt::QueuedConnection);
      },
      ++next_priority_);
}

void PageThumbnails::DropQueued() {
  pool_.clear();
  for (auto it = pending_.begin(); it != pending_.end();) {
    it = it.value()->started ? std::next(it) : pending_.erase(it);
  }
}

void PageThumbnails::Finished(const QByteArray& key, const QImage& image) {
  pending_.remove(key);
  kept_.insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes()));
  emit Ready(key);
}

}  // namespace komasu
