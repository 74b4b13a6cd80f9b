#include "platform/photo_decoder.h"

#include <QFileInfo>
#include <QImageReader>

namespace komasu {

namespace {

// Opening a FIFO or a device for reading blocks until something writes to it, and a folder
// named like a photo is no photo: only regular files are read.
bool IsReadableFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

}  // namespace

QSize PhotoSize(const QString& path) {
  if (!IsReadableFile(path)) return {};
  QImageReader reader(path);
  return reader.size();
}

QImage DecodePhoto(const QString& path, QSize box, PhotoFit fit) {
  if (box.isEmpty() || !IsReadableFile(path)) return {};
  QImageReader reader(path);
  reader.setAutoTransform(false);
  const QSize full = reader.size();
  if (!full.isValid() || full.isEmpty()) return {};
  if (static_cast<qint64>(full.width()) * full.height() > kMaxPhotoPixels) return {};
  // Decoding scaled needs only the scaled buffer plus the decoder's work rows; the default
  // limit would otherwise refuse large panoramas that decode to a small size.
  reader.setAllocationLimit(0);
  QSize target = fit == PhotoFit::kStretch ? box : full.scaled(box, Qt::KeepAspectRatio);
  // Never scale up while decoding: the painter scales small photos instead.
  if (target.width() > full.width() || target.height() > full.height()) {
    target = full.scaled(target.boundedTo(full),
                         fit == PhotoFit::kStretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio);
  }
  if (target.isEmpty()) target = QSize(1, 1);
  reader.setScaledSize(target);
  QImage image;
  if (!reader.read(&image)) return {};
  return image;
}

}  // namespace komasu
