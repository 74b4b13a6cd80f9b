#pragma once
// A HEIC/HEIF photo (what phones store) read through libheif: recognised by its content, its
// size as shown, decoded upright (the file's own rotation and mirroring applied) and its EXIF
// data. Safe on any bytes: what libheif cannot read gives an invalid size and null images.
// One object per thread.

#include <QByteArray>
#include <QImage>
#include <QSize>

struct heif_context;
struct heif_image_handle;

namespace komasu {

// Whether `head` (the first 12 bytes or more of a file) starts a HEIF file.
bool LooksLikeHeif(const QByteArray& head);

class HeifFile {
 public:
  // Reads `bytes`, which must outlive this object.
  explicit HeifFile(const QByteArray& bytes);
  ~HeifFile();
  HeifFile(const HeifFile&) = delete;
  HeifFile& operator=(const HeifFile&) = delete;

  // The primary image's size as shown, and as its pixels are coded; invalid when unreadable.
  QSize Size() const { return size_; }
  QSize CodedSize() const { return coded_; }
  // The primary image upright, or its embedded thumbnail when that is at least `needed` in
  // both directions. Null when it cannot be decoded.
  QImage Decode(QSize needed) const;
  // The EXIF data as a TIFF structure, or empty.
  QByteArray Exif() const;

  // The largest file read whole.
  static constexpr qint64 kMaxBytes = 256ll * 1024 * 1024;

 private:
  heif_context* context_ = nullptr;
  heif_image_handle* handle_ = nullptr;
  QSize size_;
  QSize coded_;
};

}  // namespace komasu
