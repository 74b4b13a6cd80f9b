#include "app/page_thumbnails.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QPainter>
#include <QThread>
#include <atomic>

#include "album/album.h"
#include "photos/thumbnail_reader.h"
#include "platform/photo_decoder.h"
#include "print/page_renderer.h"
#include "print/painter_print_surface.h"

namespace komasu {

namespace {

constexpr double kA4Width = 210, kA4Height = 297;  // mm
constexpr qsizetype kMaxKeptBytes = 120 * 1024 * 1024;

// Photos as small as the picture needs: a camera's EXIF thumbnail is enough for a page a few
// centimetres high and costs nothing to decode. In a draft, a photo without one stands as a
// grey box.
class ThumbnailPhotos : public PrintPhotoSource {
 public:
  ThumbnailPhotos(double px_per_mm, bool draft) : px_per_mm_(px_per_mm), draft_(draft) {}
  bool LeftOut() const { return left_out_; }

  QImage PhotoFor(const QString& path, QSizeF box_mm) override {
    const QSize box(std::max(1, qRound(box_mm.width() * px_per_mm_ * 2)),
                    std::max(1, qRound(box_mm.height() * px_per_mm_ * 2)));
    QImage image = ReadThumbnail(path, box, !draft_).image;
    if (image.isNull() && draft_ && QFileInfo(path).isFile()) {
      left_out_ = true;
      image = QImage(1, 1, QImage::Format_RGB32);
      image.fill(QColor(225, 225, 225));
      return image;
    }
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
  bool draft_;
  bool left_out_ = false;
};

}  // namespace

QImage DrawPageThumbnail(const PageContent& page, int n, const LayoutSettings& layout,
                         const CalloutSettings& callout, int width, bool* draft) {
  QImage image(width, qRound(width * kA4Height / kA4Width), QImage::Format_RGB32);
  image.fill(Qt::white);
  const double px_per_mm = width / kA4Width;
  image.setDotsPerMeterX(qRound(px_per_mm * 1000));
  image.setDotsPerMeterY(qRound(px_per_mm * 1000));
  ThumbnailPhotos photos(px_per_mm, draft != nullptr);
  PainterPrintSurface surface(image);
  PrintPage(page, n, layout, callout, photos, surface);
  surface.Finish();
  QPainter frame(&image);  // the sheet's edge on a white list
  frame.setPen(QColor(160, 160, 160));
  frame.drawRect(image.rect().adjusted(0, 0, -1, -1));
  frame.end();
  if (draft) *draft = photos.LeftOut();
  return image;
}

QByteArray PageThumbnailKey(const QByteArray& record, PageSide side) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  hash.addData(record);
  hash.addData(QByteArrayView(side == PageSide::kLeftBound ? "L" : "R"));
  return hash.result();
}

struct PageThumbnails::Job {
  // Drawing now; a request not running when the list scrolls is dropped with its queued work.
  std::atomic<bool> running{false};
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

QImage PageThumbnails::FindDraft(const QByteArray& key) const { return drafts_.value(key); }

void PageThumbnails::Drafted(const QByteArray& key, const QImage& image) {
  if (!pending_.contains(key)) return;
  drafts_.insert(key, image);
  emit Ready(key);
}

void PageThumbnails::Request(const QByteArray& key, const PageContent& page, int n,
                             const LayoutSettings& layout, const CalloutSettings& callout) {
  if (!Wanted(key)) return;
  auto job = std::make_shared<Job>();
  pending_.insert(key, job);
  // The pages on screen come in top to bottom, every draft before the photos of any page are
  // decoded; requests scrolled past are dropped before they start.
  pool_.start(
      [this, key, job, page, n, layout, callout] {
        job->running = true;
        // First the page with the photos that carry an EXIF thumbnail; when one had to be left
        // out, that draft shows while the photos are decoded.
        bool draft = false;
        const QImage image =
            DrawPageThumbnail(page, n, layout, callout, kPageThumbnailWidth, &draft);
        if (!draft) {
          QMetaObject::invokeMethod(this, [this, key, image] { Finished(key, image); },
                                    Qt::QueuedConnection);
          return;
        }
        QMetaObject::invokeMethod(this, [this, key, image] { Drafted(key, image); },
                                  Qt::QueuedConnection);
        job->running = false;
        pool_.start(
            [this, key, job, page, n, layout, callout] {
              job->running = true;
              const QImage full = DrawPageThumbnail(page, n, layout, callout);
              QMetaObject::invokeMethod(this, [this, key, full] { Finished(key, full); },
                                        Qt::QueuedConnection);
            },
            -n - kMaxPages - 1);
      },
      -n);
}

void PageThumbnails::DropQueued() {
  pool_.clear();
  for (auto it = pending_.begin(); it != pending_.end();) {
    if (it.value()->running) {
      ++it;
    } else {
      drafts_.remove(it.key());
      it = pending_.erase(it);
    }
  }
}

void PageThumbnails::Finished(const QByteArray& key, const QImage& image) {
  pending_.remove(key);
  drafts_.remove(key);
  kept_.insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes()));
  emit Ready(key);
}

}  // namespace komasu
