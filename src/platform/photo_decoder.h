#pragma once
// Decoding of photo files (JPEG, BMP, PNG, HEIC/HEIF, …) upright and at the size they are shown
// or printed, never at full camera resolution: the EXIF orientation of a JPEG and the rotation
// of a HEIC file are applied, the file is never changed. Safe on any file: missing, truncated,
// not an image or absurdly large files, and anything that is not a regular file, give a null
// image. Thread-safe (each call uses its own reader).

#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <QString>

namespace komasu {

enum class PhotoFit {
  kStretch,     // fill the box exactly, whatever the photo's aspect ratio
  kKeepAspect,  // the largest size of the photo's aspect ratio inside the box
  // As a photo slot shows it: stretched, except a photo that its orientation turns from
  // landscape to portrait, which keeps its aspect ratio, centred on a transparent image of the
  // box's shape (drawn stretched into the box, it stands undistorted in the middle).
  kSlot
};

enum class PhotoFormat { kNone, kJpeg, kBmp, kHeif, kOther };

// What a photo's header tells.
struct PhotoShape {
  PhotoFormat format = PhotoFormat::kNone;
  QSize stored;   // as the pixels are coded
  QSize upright;  // as shown; invalid when the file is no readable photo
  // What turns the stored pixels upright (JPEG EXIF orientation); HEIC files are decoded
  // upright by their decoder and need nothing here.
  QImageIOHandler::Transformations transform = QImageIOHandler::TransformationNone;
  bool TurnedToPortrait() const {
    return stored.width() > stored.height() && upright.height() > upright.width();
  }
};

PhotoShape ReadPhotoShape(const QString& path);

// The photo's pixel size as shown (upright) from its header (cheap), or an invalid size.
QSize PhotoSize(const QString& path);

// Decodes `path` upright, scaled to `box` (pixels). The decoder scales while decoding (JPEG DCT
// scaling), so a 24-megapixel photo costs little memory. A photo whose header claims more
// than kMaxPhotoPixels is refused.
QImage DecodePhoto(const QString& path, QSize box, PhotoFit fit = PhotoFit::kStretch);

// `image`, coded as a photo of `transform`, turned upright (an EXIF thumbnail of that photo).
QImage TurnUpright(const QImage& image, QImageIOHandler::Transformations transform);

inline constexpr qint64 kMaxPhotoPixels = 400ll * 1000 * 1000;

}  // namespace komasu
