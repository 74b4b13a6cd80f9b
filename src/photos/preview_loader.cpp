#include "photos/preview_loader.h"

#include <QFileInfo>
#include <cmath>

#include "photos/photo_placement.h"
#include "platform/photo_decoder.h"

namespace komasu {

PreviewLoader::PreviewLoader(QObject* parent) : QObject(parent) { pool_.setMaxThreadCount(1); }

PreviewLoader::~PreviewLoader() {
  generation_->fetch_add(1);  // queued decodes end at once
  pool_.clear();
  pool_.waitForDone();
}

void PreviewLoader::Request(const QString& path, double pixels_per_twip) {
  // Older queued decodes stay queued but skip their work once this one is asked for.
  const int generation = generation_->fetch_add(1) + 1;
  ++pending_;
  auto current = generation_;
  pool_.start([this, path, pixels_per_twip, generation, current] {
    QImage image;
    QSize natural;
    if (current->load() == generation) {
      natural = QFileInfo(path).isFile() ? PhotoSize(path) : QSize();
      const QSizeF box = FitPreview(natural);
      if (!box.isEmpty()) {
        const QSize pixels(
            std::max(1, static_cast<int>(std::lround(box.width() * pixels_per_twip))),
            std::max(1, static_cast<int>(std::lround(box.height() * pixels_per_twip))));
        image = DecodePhoto(path, pixels, PhotoFit::kKeepAspect);
      }
    }
    QMetaObject::invokeMethod(
        this,
        [this, path, image, natural, generation, current] {
          --pending_;
          if (current->load() == generation) emit Ready(path, image, natural);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace komasu
