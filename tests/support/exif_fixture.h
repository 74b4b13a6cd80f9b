#pragma once
// Camera-like photo files for tests and benchmarks: a photo with a thumbnail, an orientation
// tag or a shooting date in its EXIF data, written with the EXIF library cameras' files are
// read with, and HEIC files as phones write them.

#include <QByteArray>
#include <QDateTime>
#include <QImage>

namespace komasu::test {

// JPEG bytes of `image` (quality 90).
QByteArray EncodeJpeg(const QImage& image, int quality = 90);
// `jpeg` with `thumbnail_bytes` stored as its EXIF thumbnail (normally a small JPEG).
QByteArray EmbedExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail_bytes);
// `photo` (JPEG or PNG bytes) with the EXIF orientation `orientation` (0: none) and the
// shooting time `shot` (invalid: none).
QByteArray WithExif(const QByteArray& photo, int orientation, const QDateTime& shot = {});
// A HEIC file of `image` as the camera took it, with the file's rotation `orientation` (EXIF
// numbering) and `shot` in its EXIF data.
QByteArray EncodeHeic(const QImage& image, int orientation = 1, const QDateTime& shot = {});

}  // namespace komasu::test
