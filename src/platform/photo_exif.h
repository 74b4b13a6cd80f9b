#pragma once
// The EXIF data a photo file carries, and the shooting time in it: the APP1 segment of a JPEG
// (only its header is read), the Exif item of a HEIC/HEIF file, the EXIF profile of a PNG. Safe
// on any file: what is not a regular file, or carries damaged data, has no EXIF. Thread-safe.

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QFile;

namespace komasu {

// The EXIF data of `path` as a TIFF structure; empty when it carries none.
QByteArray PhotoExifData(const QString& path);
// The TIFF structure in the "Exif" APP1 segment of the JPEG open in `file`, or empty.
QByteArray JpegExifBlock(QFile& file);

// The time the photo was taken as the camera wrote it (DateTimeOriginal, local time without a
// zone); invalid when `exif` holds none.
QDateTime ShotTimeOf(const QByteArray& exif);
QDateTime PhotoShotTime(const QString& path);

// Prepares the EXIF library for use from several threads (it logs nothing); the readers call it
// themselves, an application may call it early on the user-interface thread.
void InitExifReading();

}  // namespace komasu
