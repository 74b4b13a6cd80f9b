#pragma once
// Camera-like JPEG files for tests and benchmarks: a photo with a thumbnail in its EXIF data,
// written with the EXIF library cameras' files are read with.

#include <QByteArray>
#include <QImage>

namespace komasu::test {

// JPEG bytes of `image` (quality 90).
QByteArray EncodeJpeg(const QImage& image, int quality = 90);
// `jpeg` with `thumbnail_bytes` stored as its EXIF thumbnail (normally a small JPEG).
QByteArray EmbedExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail_bytes);

}  // namespace komasu::test
