#pragma once
// Photos for print, decoded at about 300 dpi of the printed box (never at camera resolution)
// on worker threads: a page's photos can be requested ahead, while the page before is drawn,
// and are handed out once decoded.

#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QThreadPool>
#include <future>

namespace komasu {

inline constexpr double kPrintPhotoDpi = 300;

// Pixel size of a photo printed into a box of `box_mm` at `dpi`.
QSize PrintPixelSize(QSizeF box_mm, double dpi = kPrintPhotoDpi);

// The size to decode a photo of `full` pixels at for `target`: a target that needs a JPEG
// scaling step only just finer than M/8 is shrunk by at most 3 % to fit M/8, which halves the
// decoding work (a 6000 × 4000 photo for 1336 × 1002 decodes at 1/4 instead of 3/8).
QSize DecodeSizeFor(QSize full, QSize target);

class PrintPhotoSource {
 public:
  virtual ~PrintPhotoSource() = default;
  // The photo of `path` decoded for a printed box of `box_mm`; null when it cannot be read.
  virtual QImage PhotoFor(const QString& path, QSizeF box_mm) = 0;
};

class PrintPhotoLoader : public PrintPhotoSource {
 public:
  explicit PrintPhotoLoader(double dpi = kPrintPhotoDpi);
  ~PrintPhotoLoader() override;
  PrintPhotoLoader(const PrintPhotoLoader&) = delete;
  PrintPhotoLoader& operator=(const PrintPhotoLoader&) = delete;

  // Starts decoding in the background unless that photo at that size is already requested.
  void Prefetch(const QString& path, QSizeF box_mm);
  // Waits for the photo (decoding it now when it was not requested) and forgets it.
  QImage PhotoFor(const QString& path, QSizeF box_mm) override;
  // Forgets every request; decodes under way finish in the background.
  void Clear();

 private:
  static QString Key(const QString& path, QSize pixels);
  double dpi_;
  QThreadPool pool_;
  QHash<QString, std::shared_future<QImage>> pending_;
};

}  // namespace komasu
