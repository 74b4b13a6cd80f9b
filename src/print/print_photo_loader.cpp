#include "print/print_photo_loader.h"

#include <cmath>
#include <memory>

#include "platform/photo_decoder.h"

namespace komasu {

QSize PrintPixelSize(QSizeF box_mm, double dpi) {
  const auto px = [dpi](double mm) {
    return std::max(1, static_cast<int>(std::lround(mm / 25.4 * dpi)));
  };
  if (box_mm.isEmpty()) return {};
  return QSize(px(box_mm.width()), px(box_mm.height()));
}

QSize DecodeSizeFor(QSize full, QSize target) {
  if (!full.isValid() || target.isEmpty()) return target;
  const double f =
      std::min(double(full.width()) / target.width(), double(full.height()) / target.height());
  const double m = 8 / f;  // the decoder takes the scaling step ceil(m) / 8
  const double step = std::floor(m);
  if (step < 1 || m == step || (m - step) > 0.03 * m) return target;
  const double shrink = step / m;
  return QSize(std::max(1, static_cast<int>(target.width() * shrink)),
               std::max(1, static_cast<int>(target.height() * shrink)));
}

namespace {

QImage DecodeForPrint(const QString& path, QSize pixels) {
  return DecodePhoto(path, DecodeSizeFor(PhotoSize(path), pixels), PhotoFit::kSlot);
}

}  // namespace

PrintPhotoLoader::PrintPhotoLoader(double dpi) : dpi_(dpi) {
  pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

PrintPhotoLoader::~PrintPhotoLoader() {
  pool_.clear();
  pool_.waitForDone();
}

QString PrintPhotoLoader::Key(const QString& path, QSize pixels) {
  return QStringLiteral("%1x%2|%3").arg(pixels.width()).arg(pixels.height()).arg(path);
}

void PrintPhotoLoader::Prefetch(const QString& path, QSizeF box_mm) {
  const QSize pixels = PrintPixelSize(box_mm, dpi_);
  if (path.isEmpty() || pixels.isEmpty()) return;
  const QString key = Key(path, pixels);
  if (pending_.contains(key)) return;
  auto task = std::make_shared<std::packaged_task<QImage()>>(
      [path, pixels] { return DecodeForPrint(path, pixels); });
  pending_.insert(key, task->get_future().share());
  pool_.start([task] { (*task)(); });
}

QImage PrintPhotoLoader::PhotoFor(const QString& path, QSizeF box_mm) {
  const QSize pixels = PrintPixelSize(box_mm, dpi_);
  if (path.isEmpty() || pixels.isEmpty()) return {};
  const QString key = Key(path, pixels);
  const auto it = pending_.constFind(key);
  if (it == pending_.cend()) return DecodeForPrint(path, pixels);
  std::shared_future<QImage> result = *it;
  pending_.erase(it);
  return result.get();
}

void PrintPhotoLoader::Clear() {
  pool_.clear();  // queued decodes are dropped; their futures go with the requests
  pending_.clear();
}

}  // namespace komasu
