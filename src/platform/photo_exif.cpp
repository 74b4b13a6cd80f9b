#include "platform/photo_exif.h"

#include <QFile>
#include <exiv2/exiv2.hpp>
#include <mutex>

#include "platform/heif_file.h"
#include "platform/regular_file.h"

namespace komasu {

namespace {

// The EXIF block lives in an APP1 segment before the image data; cameras put it first. Looking
// no further than this keeps a damaged file from costing more than a few reads.
constexpr int kMaxSegments = 32;
constexpr qint64 kMaxHeaderBytes = 1 << 20;
// Other formats are read whole to find their EXIF profile.
constexpr qint64 kMaxOtherBytes = 64ll * 1024 * 1024;

QByteArray OtherExifBlock(const QByteArray& bytes) {
  try {
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.constData()),
                                           static_cast<long>(bytes.size()));
    image->readMetadata();
    if (image->exifData().empty()) return {};
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, image->exifData());
    return QByteArray(reinterpret_cast<const char*>(blob.data()),
                      static_cast<qsizetype>(blob.size()));
  } catch (...) {
    return {};
  }
}

}  // namespace

void InitExifReading() {
  static std::once_flag once;
  std::call_once(once, [] { Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute); });
}

QByteArray JpegExifBlock(QFile& file) {
  if (!file.seek(0) || file.read(2) != QByteArray("\xFF\xD8", 2)) return {};
  qint64 pos = 2;
  for (int i = 0; i < kMaxSegments && pos < kMaxHeaderBytes; ++i) {
    if (!file.seek(pos)) return {};
    const QByteArray head = file.read(4);
    if (head.size() < 4 || static_cast<uchar>(head[0]) != 0xFF) return {};
    const uchar marker = static_cast<uchar>(head[1]);
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return {};  // image data or end: no EXIF
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      pos += 2;  // markers without a length
      continue;
    }
    const int length = (static_cast<uchar>(head[2]) << 8) | static_cast<uchar>(head[3]);
    if (length < 2) return {};
    if (marker == 0xE1 && length > 8) {
      const QByteArray body = file.read(length - 2);
      if (body.size() != length - 2) return {};
      if (body.startsWith(QByteArray("Exif\0\0", 6))) return body.mid(6);
    }
    pos += 2 + length;
  }
  return {};
}

QByteArray PhotoExifData(const QString& path) {
  InitExifReading();
  QFile file;
  if (OpenRegularFile(path, file) != FileReadError::kNone) return {};
  const QByteArray head = file.peek(64);
  if (head.startsWith("\xFF\xD8")) return JpegExifBlock(file);
  if (file.size() > (LooksLikeHeif(head) ? HeifFile::kMaxBytes : kMaxOtherBytes)) return {};
  const QByteArray bytes = file.readAll();
  if (LooksLikeHeif(head)) return HeifFile(bytes).Exif();
  return OtherExifBlock(bytes);
}

QDateTime ShotTimeOf(const QByteArray& exif) {
  if (exif.isEmpty()) return {};
  InitExifReading();
  try {
    Exiv2::ExifData data;
    Exiv2::ExifParser::decode(data, reinterpret_cast<const Exiv2::byte*>(exif.constData()),
                              static_cast<uint32_t>(exif.size()));
    const auto it = data.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
    if (it == data.end()) return {};
    // "2026:12:09 10:20:30"; cameras without a clock write blanks or zeros.
    const QString text = QString::fromStdString(it->toString()).trimmed().left(19);
    return QDateTime::fromString(text, QStringLiteral("yyyy:MM:dd HH:mm:ss"));
  } catch (...) {
    return {};
  }
}

QDateTime PhotoShotTime(const QString& path) { return ShotTimeOf(PhotoExifData(path)); }

}  // namespace komasu
