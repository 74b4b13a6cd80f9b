#pragma once
// Reads the small preview of a photo file that a folder's icon view shows: the thumbnail a
// camera embeds in the photo's EXIF data when there is one (a fraction of a millisecond),
// otherwise a scaled decode of the photo itself. Safe on any path: folders, FIFOs, devices,
// empty, truncated or hostile files give a null image and never block. Thread-safe.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace komasu {

enum class ThumbnailSource { kNone, kExif, kDecoded };

struct Thumbnail {
  QImage image;  // null when the file cannot be shown
  ThumbnailSource source = ThumbnailSource::kNone;
};

// The pixel box thumbnails are fitted into: the size cameras embed.
inline constexpr QSize kThumbnailBox(160, 120);

// The thumbnail of `path` fitted into `box` with the photo's aspect ratio. With `decode` false,
// only an embedded thumbnail is taken (null when the photo carries none).
Thumbnail ReadThumbnail(const QString& path, QSize box = kThumbnailBox, bool decode = true);

// The encoded bytes of the thumbnail embedded in the EXIF data of `path`; empty when the file
// is not a regular file or carries none.
QByteArray ExifThumbnailBytes(const QString& path);

}  // namespace komasu
