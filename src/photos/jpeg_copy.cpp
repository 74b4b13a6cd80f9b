#include "photos/jpeg_copy.h"

#include <cerrno>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <exiv2/exiv2.hpp>

#include "album/page_geometry.h"
#include "platform/photo_exif.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

constexpr int kJpegQuality = 92;

// `jpeg` with the EXIF data of the photo it was made from: what no longer holds for the copy
// (orientation, embedded thumbnail, pixel size) is set anew.
QByteArray WithExif(const QByteArray& jpeg, const QByteArray& tiff, QSize size) {
  if (tiff.isEmpty()) return jpeg;
  InitExifReading();
  try {
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(tiff.constData()),
                              static_cast<uint32_t>(tiff.size()));
    Exiv2::ExifThumb(exif).erase();
    exif["Exif.Image.Orientation"] = uint16_t(1);
    exif["Exif.Photo.PixelXDimension"] = uint32_t(size.width());
    exif["Exif.Photo.PixelYDimension"] = uint32_t(size.height());
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(jpeg.constData()),
                                           static_cast<long>(jpeg.size()));
    image->setExifData(exif);
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf data = io.read(static_cast<long>(io.size()));
    return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
  } catch (...) {
    // EXIF data the library cannot rewrite: the copy goes without it rather than not at all.
    return jpeg;
  }
}

}  // namespace

bool WriteJpegCopy(const QString& source, const QString& target, QString* error) {
  auto fail = [error](const QString& text) {
    if (error) *error = text;
    return false;
  };
  const PhotoShape shape = ReadPhotoShape(source);
  QImage image = shape.upright.isValid() ? DecodePhoto(source, shape.upright) : QImage();
  if (image.isNull()) {
    return fail(QStringLiteral("写真として読み込めないファイルです。\r%1")
                    .arg(QDir::toNativeSeparators(source)));
  }
  // A page that is read again gives every photo the slot's landscape shape, and earlier
  // versions do too: a portrait copy would come out stretched. It is centred on white of the
  // slot's shape instead, as the page shows a photo its orientation tag turns to portrait.
  const QSize canvas =
      image.height() > image.width()
          ? QSize(qRound(kPhotoBoxWidth), qRound(kPhotoBoxHeight))
                .scaled(image.size(), Qt::KeepAspectRatioByExpanding)
          : image.size();
  if (image.hasAlphaChannel() || canvas != image.size()) {  // JPEG has no transparency
    QImage flat(canvas, QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage((canvas.width() - image.width()) / 2,
                              (canvas.height() - image.height()) / 2, image);
    image = flat;
  }
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(kJpegQuality);
  writer.setOptimizedWrite(true);
  const bool encoded = writer.write(image);
  buffer.close();
  if (encoded) jpeg = WithExif(jpeg, PhotoExifData(source), image.size());
  QFile out(target);
  errno = 0;
  const bool opened = encoded && out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
  bool written = opened && out.write(jpeg) == jpeg.size() && out.flush();
  if (opened) {
    out.close();
    written = written && out.error() == QFileDevice::NoError;
  }
  if (written) return true;
  const QString reason = encoded ? WriteFailureReason(target, errno)
                                 : QStringLiteral("写真をJPEG形式に変換できませんでした。");
  if (opened) out.remove();  // never a half copy; a file that was there stays
  return fail(QStringLiteral("写真データを複製できませんでした。\r%1\r→ %2\r%3")
                  .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target), reason));
}

}  // namespace komasu
