#include "platform/photo_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTransform>
#include <memory>

#include "platform/heif_file.h"
#include "platform/regular_file.h"

namespace komasu {

namespace {

bool Transposes(QImageIOHandler::Transformations t) {
  return t.testFlag(QImageIOHandler::TransformationRotate90);
}

// Photos up to this size are read in one go and decoded from memory: the JPEG reader would
// otherwise fetch the file 4 KiB at a time, which costs a sixth of a 24-megapixel decode.
constexpr qint64 kMaxInMemoryBytes = 64ll * 1024 * 1024;

// One opened photo: its shape, and the reader that decodes it.
struct OpenPhoto {
  QFile file;
  PhotoShape shape;
  QByteArray bytes;
  QBuffer buffer{&bytes};
  std::unique_ptr<HeifFile> heif;
  std::unique_ptr<QImageReader> reader;

  // The reader would open the path itself, and block on a FIFO: it gets a file opened safely.
  // Only a photo to be decoded is read whole; its shape needs only the header.
  OpenPhoto(const QString& path, bool to_decode) {
    if (path.isEmpty() || OpenRegularFile(path, file) != FileReadError::kNone) return;
    if (LooksLikeHeif(file.peek(64))) {
      if (file.size() > HeifFile::kMaxBytes) return;
      bytes = file.readAll();
      heif = std::make_unique<HeifFile>(bytes);
      shape = {PhotoFormat::kHeif, heif->CodedSize(), heif->Size(), {}};
    } else {
      QIODevice* device = &file;
      if (to_decode && file.size() <= kMaxInMemoryBytes) {
        bytes = file.readAll();
        buffer.open(QIODevice::ReadOnly);
        device = &buffer;
      }
      reader = std::make_unique<QImageReader>(device);
      reader->setAutoTransform(false);
      const QByteArray format = reader->format();
      shape.format = format == "jpeg"  ? PhotoFormat::kJpeg
                     : format == "bmp" ? PhotoFormat::kBmp
                                       : PhotoFormat::kOther;
      shape.stored = reader->size();
      // Read from the header; only JPEG files carry one that Qt applies.
      shape.transform = reader->transformation();
      shape.upright = Transposes(shape.transform) ? shape.stored.transposed() : shape.stored;
    }
    const QSize s = shape.stored;
    if (!s.isValid() || s.isEmpty() || !shape.upright.isValid() || shape.upright.isEmpty() ||
        static_cast<qint64>(s.width()) * s.height() > kMaxPhotoPixels) {
      shape = {};
    }
  }

  // The photo upright at exactly `size` (upright pixels).
  QImage Decode(QSize size) {
    if (heif) {
      const QImage image = heif->Decode(size);
      if (image.isNull() || image.size() == size) return image;
      return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // Decoding scaled needs only the scaled buffer plus the decoder's work rows; the default
    // limit would otherwise refuse large panoramas that decode to a small size.
    reader->setAllocationLimit(0);
    // The reader scales the coded pixels, then turns them.
    reader->setScaledSize(Transposes(shape.transform) ? size.transposed() : size);
    reader->setAutoTransform(true);
    QImage image;
    if (!reader->read(&image)) return {};
    return image;
  }
};

// Never larger than the photo itself: the painter scales small photos instead.
QSize DecodeSize(QSize upright, QSize box, Qt::AspectRatioMode mode) {
  QSize target = mode == Qt::IgnoreAspectRatio ? box : upright.scaled(box, mode);
  if (target.width() > upright.width() || target.height() > upright.height()) {
    target = upright.scaled(target.boundedTo(upright), mode);
  }
  return target.isEmpty() ? QSize(1, 1) : target;
}

// `photo` centred on a transparent image of the shape of `box`.
QImage CentredInBoxShape(const QImage& photo, QSize box) {
  const QSize canvas = box.scaled(photo.size(), Qt::KeepAspectRatioByExpanding);
  QImage out(canvas, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter painter(&out);
  painter.drawImage((canvas.width() - photo.width()) / 2, (canvas.height() - photo.height()) / 2,
                    photo);
  return out;
}

}  // namespace

PhotoShape ReadPhotoShape(const QString& path) { return OpenPhoto(path, false).shape; }

QSize PhotoSize(const QString& path) { return ReadPhotoShape(path).upright; }

QImage DecodePhoto(const QString& path, QSize box, PhotoFit fit) {
  if (path.isEmpty() || box.isEmpty()) return {};
  OpenPhoto photo(path, true);
  const PhotoShape& shape = photo.shape;
  if (shape.format == PhotoFormat::kNone) return {};
  if (fit == PhotoFit::kSlot && shape.TurnedToPortrait()) {
    const QImage image = photo.Decode(DecodeSize(shape.upright, box, Qt::KeepAspectRatio));
    return image.isNull() ? image : CentredInBoxShape(image, box);
  }
  return photo.Decode(
      DecodeSize(shape.upright, box,
                 fit == PhotoFit::kKeepAspect ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio));
}

QImage TurnUpright(const QImage& image, QImageIOHandler::Transformations transform) {
  if (image.isNull() || transform == QImageIOHandler::TransformationNone) return image;
  QImage out = image.mirrored(transform.testFlag(QImageIOHandler::TransformationMirror),
                              transform.testFlag(QImageIOHandler::TransformationFlip));
  if (Transposes(transform)) out = out.transformed(QTransform().rotate(90));
  return out;
}

}  // namespace komasu
