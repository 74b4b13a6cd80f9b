#include "photos/thumbnail_reader.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <exiv2/exiv2.hpp>
#include <mutex>

#include "platform/photo_decoder.h"

namespace komasu {

namespace {

// The EXIF block lives in an APP1 segment before the image data; cameras put it first. Looking
// no further than this keeps a damaged file from costing more than a few reads.
constexpr int kMaxSegments = 32;
constexpr qint64 kMaxHeaderBytes = 1 << 20;

// The TIFF structure of the JPEG's "Exif" APP1 segment, or empty.
QByteArray ExifBlock(QFile& file) {
  if (file.read(2) != QByteArray("\xFF\xD8", 2)) return {};
  qint64 pos = 2;
  for (int i = 0; i < kMaxSegments && pos < kMaxHeaderBytes; ++i) {
    if (!file.seek(pos)) return {};
    const QByteArray head = file.read(4);
    if (head.size() < 4 || static_cast<uchar>(head[0]) != 0xFF) return {};
    const uchar marker = static_cast<uchar>(head[1]);
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return {};  // image data or end: no EXIF
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      pos += 2;  // markers without a length
      continue;
    }
    const int length = (static_cast<uchar>(head[2]) << 8) | static_cast<uchar>(head[3]);
    if (length < 2) return {};
    if (marker == 0xE1 && length > 8) {
      const QByteArray body = file.read(length - 2);
      if (body.size() != length - 2) return {};
      if (body.startsWith(QByteArray("Exif\0\0", 6))) return body.mid(6);
    }
    pos += 2 + length;
  }
  return {};
}

// Cameras letterbox their thumbnails to 4:3 or 3:2 whatever the photo's shape; the bars are
// cut so that the icon shows the photo as it is.
QImage CropToAspect(const QImage& thumb, QSize photo) {
  if (photo.isEmpty() || thumb.isNull()) return thumb;
  const double aspect = static_cast<double>(photo.width()) / photo.height();
  const double thumb_aspect = static_cast<double>(thumb.width()) / thumb.height();
  if (std::abs(thumb_aspect - aspect) / aspect < 0.03) return thumb;
  if (thumb_aspect > aspect) {
    const int w = std::max(1, static_cast<int>(std::lround(thumb.height() * aspect)));
    return thumb.copy((thumb.width() - w) / 2, 0, w, thumb.height());
  }
  const int h = std::max(1, static_cast<int>(std::lround(thumb.width() / aspect)));
  return thumb.copy(0, (thumb.height() - h) / 2, thumb.width(), h);
}

QImage FitInto(const QImage& image, QSize box) {
  if (image.width() <= box.width() && image.height() <= box.height()) return image;
  return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

void InitExifReading() {
  static std::once_flag once;
  std::call_once(once, [] { Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); });
}

QByteArray ExifThumbnailBytes(const QString& path) {
  InitExifReading();
  // Only regular files: opening a FIFO or a device would block or never end.
  if (!QFileInfo(path).isFile()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray tiff = ExifBlock(file);
  if (tiff.isEmpty()) return {};
  try {
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.constData()),
                              static_cast<uint32_t>(tiff.size()));
    const Exiv2::DataBuf data = Exiv2::ExifThumbC(exif).copy();
    if (data.pData_ == nullptr || data.size_ <= 0) return {};
    return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
  } catch (...) {
    // Damaged EXIF data: the photo is decoded instead.
    return {};
  }
}

Thumbnail ReadThumbnail(const QString& path, QSize box) {
  if (path.isEmpty() || box.isEmpty() || !QFileInfo(path).isFile()) return {};
  const QByteArray embedded = ExifThumbnailBytes(path);
  if (!embedded.isEmpty()) {
    const QImage image = QImage::fromData(embedded);
    if (!image.isNull()) {
      return {FitInto(CropToAspect(image, PhotoSize(path)), box), ThumbnailSource::kExif};
    }
  }
  QImage decoded = DecodePhoto(path, box, PhotoFit::kKeepAspect);
  if (decoded.isNull()) return {};
  return {std::move(decoded), ThumbnailSource::kDecoded};
}

}  // namespace komasu
