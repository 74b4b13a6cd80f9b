#include "photos/thumbnail_reader.h"

#include <QFileInfo>
#include <cmath>
#include <exiv2/exiv2.hpp>

#include "platform/photo_decoder.h"
#include "platform/photo_exif.h"

namespace komasu {

namespace {

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

QByteArray ExifThumbnailBytes(const QString& path) {
  const QByteArray tiff = PhotoExifData(path);
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

Thumbnail ReadThumbnail(const QString& path, QSize box, bool decode) {
  if (path.isEmpty() || box.isEmpty() || !QFileInfo(path).isFile()) return {};
  const QByteArray embedded = ExifThumbnailBytes(path);
  if (!embedded.isEmpty()) {
    const QImage image = QImage::fromData(embedded);
    // The camera stores the thumbnail as it stores the photo: turned upright the same way.
    const PhotoShape shape = ReadPhotoShape(path);
    if (!image.isNull() && shape.format != PhotoFormat::kNone) {
      return {FitInto(TurnUpright(CropToAspect(image, shape.stored), shape.transform), box),
              ThumbnailSource::kExif};
    }
  }
  if (!decode) return {};
  QImage decoded = DecodePhoto(path, box, PhotoFit::kKeepAspect);
  if (decoded.isNull()) return {};
  return {std::move(decoded), ThumbnailSource::kDecoded};
}

}  // namespace komasu
