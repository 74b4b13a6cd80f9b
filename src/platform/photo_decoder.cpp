#include "platform/photo_decoder.h"

#include <QImageReader>

#include "platform/regular_file.h"

namespace komasu {

QSize PhotoSize(const QString& path) {
  QFile file;
  if (OpenRegularFile(path, file) != FileReadError::kNone) return {};
  QImageReader reader(&file);
  return reader.size();
}

QImage DecodePhoto(const QString& path, QSize box, PhotoFit fit) {
  if (path.isEmpty() || box.isEmpty()) return {};
  // The reader would open the path itself, and block on a FIFO: it gets a file opened safely.
  QFile file;
  if (OpenRegularFile(path, file) != FileReadError::kNone) return {};
  QImageReader reader(&file);
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
