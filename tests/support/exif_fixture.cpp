#include "support/exif_fixture.h"

#include <libheif/heif.h>

#include <QBuffer>
#include <cstring>
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

namespace komasu::test {

QByteArray WithExif(const QByteArray& photo, int orientation, const QDateTime& shot) {
  auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(photo.constData()),
                                         static_cast<long>(photo.size()));
  image->readMetadata();
  if (orientation > 0) image->exifData()["Exif.Image.Orientation"] = uint16_t(orientation);
  if (shot.isValid()) {
    image->exifData()["Exif.Photo.DateTimeOriginal"] =
        shot.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toStdString();
  }
  image->writeMetadata();
  Exiv2::BasicIo& io = image->io();
  io.seek(0, Exiv2::BasicIo::beg);
  const Exiv2::DataBuf data = io.read(static_cast<long>(io.size()));
  return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
}

QByteArray EncodeHeic(const QImage& image, int orientation, const QDateTime& shot) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
  heif_image* picture = nullptr;
  heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                    &picture);
  heif_image_add_plane(picture, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
  for (int y = 0; y < rgb.height(); ++y) {
    std::memcpy(plane + y * stride, rgb.constScanLine(y), static_cast<size_t>(rgb.width()) * 3);
  }
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = static_cast<heif_orientation>(orientation);
  heif_image_handle* handle = nullptr;
  heif_context_encode_image(context, picture, encoder, options, &handle);
  if (shot.isValid()) {
    Exiv2::ExifData exif;
    exif["Exif.Photo.DateTimeOriginal"] = shot.toString("yyyy:MM:dd HH:mm:ss").toStdString();
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, exif);
    heif_context_add_exif_metadata(context, handle, tiff.data(), static_cast<int>(tiff.size()));
  }
  QByteArray bytes;
  heif_writer writer{1, [](heif_context*, const void* data, size_t size, void* out) {
                       static_cast<QByteArray*>(out)->append(static_cast<const char*>(data),
                                                             static_cast<qsizetype>(size));
                       return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                     }};
  heif_context_write(context, &writer, &bytes);
  heif_image_handle_release(handle);
  heif_encoding_options_free(options);
  heif_image_release(picture);
  heif_encoder_release(encoder);
  heif_context_free(context);
  return bytes;
}

}  // namespace komasu::test
