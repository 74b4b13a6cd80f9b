#pragma once
// Decoding of photo files (JPEG, BMP, …) at the size they are shown or printed, never at full
// camera resolution. Safe on any file: missing, truncated, not an image or absurdly large
// files, and anything that is not a regular file, give a null image. Thread-safe (each call uses
// its own reader).

#include <QImage>
#include <QSize>
#include <QString>

namespace komasu {

enum class PhotoFit {
  kStretch,    // fill the box exactly, whatever the photo's aspect ratio
  kKeepAspect  // the largest size of the photo's aspect ratio inside the box
};

// The photo's pixel size from its header (cheap), or an invalid size.
QSize PhotoSize(const QString& path);

// Decodes `path` scaled to `box` (pixels). The decoder scales while decoding (JPEG DCT
// scaling), so a 24-megapixel photo costs little memory. A photo whose header claims more
// than kMaxPhotoPixels is refused.
QImage DecodePhoto(const QString& path, QSize box, PhotoFit fit = PhotoFit::kStretch);

inline constexpr qint64 kMaxPhotoPixels = 400ll * 1000 * 1000;

}  // namespace komasu
