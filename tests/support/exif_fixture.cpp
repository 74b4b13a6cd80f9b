#include "support/exif_fixture.h"

#include <QBuffer>
#include <exiv2/exiv2.hpp>

namespace komasu::test {

QByteArray EncodeJpeg(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", quality);
  return bytes;
}

QByteArray EmbedExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail_bytes) {
  auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(jpeg.constData()),
                                         static_cast<long>(jpeg.size()));
  image->readMetadata();
  Exiv2::ExifData& exif = image->exifData();
  exif["Exif.Image.Make"] = "KOMASU";
  exif["Exif.Image.Model"] = "Test camera";
  Exiv2::ExifThumb(exif).setJpegThumbnail(
      reinterpret_cast<const Exiv2::byte*>(thumbnail_bytes.constData()),
      static_cast<long>(thumbnail_bytes.size()));
  image->writeMetadata();
  Exiv2::BasicIo& io = image->io();
  io.seek(0, Exiv2::BasicIo::beg);
  const Exiv2::DataBuf data = io.read(static_cast<long>(io.size()));
  return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
}

}  // namespace komasu::test
