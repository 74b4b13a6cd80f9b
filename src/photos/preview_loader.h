#pragma once
// Decodes the preview of the clicked file off the user-interface thread. Only the last request
// counts: older results are dropped and queued older decodes never start. Files that are not
// regular files (folders, FIFOs) are never opened; anything that cannot be decoded gives a
// null image.

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace komasu {

class PreviewLoader : public QObject {
  Q_OBJECT

 public:
  explicit PreviewLoader(QObject* parent = nullptr);
  ~PreviewLoader() override;

  // Starts decoding `path` to fit its preview box; `pixels_per_twip` converts the box to
  // device pixels.
  void Request(const QString& path, double pixels_per_twip);
  bool Busy() const { return pending_ > 0; }

 signals:
  // `image` is null when the file cannot be shown; `natural` is its pixel size (or invalid).
  void Ready(const QString& path, const QImage& image, QSize natural);

 private:
  QThreadPool pool_;
  std::shared_ptr<std::atomic<int>> generation_ = std::make_shared<std::atomic<int>>(0);
  int pending_ = 0;
};

}  // namespace komasu
