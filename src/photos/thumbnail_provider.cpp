#include "photos/thumbnail_provider.h"

#include <QFileInfo>
#include <QThread>
#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif
#include <algorithm>

#include "platform/photo_exif.h"

namespace komasu {

ThumbnailProvider::ThumbnailProvider(QSize box, QObject* parent)
    : QObject(parent), box_(box), cache_(kCacheKilobytes) {
  InitExifReading();
  SetParallelReads(DefaultParallelReads());
}

ThumbnailProvider::~ThumbnailProvider() {
  {
    QMutexLocker lock(&mutex_);
    stopping_ = true;
    queue_.clear();
    queued_.clear();
  }
  pool_.waitForDone();
}

int ThumbnailProvider::DefaultParallelReads() {
  return std::clamp(QThread::idealThreadCount(), 1, 4);
}

void ThumbnailProvider::SetParallelReads(int count) {
  {
    QMutexLocker lock(&mutex_);
    parallel_ = std::max(count, 0);
  }
  pool_.setMaxThreadCount(std::max(count, 1));
  StartWorkers();
}

QStringList ThumbnailProvider::QueuedPaths() const {
  QMutexLocker lock(&mutex_);
  return queue_;
}

bool ThumbnailProvider::NeedsRead(const QString& path) {
  if (path.isEmpty()) return false;
  if (const Entry* entry = cache_.object(path)) {
    if (entry->mtime == QFileInfo(path).lastModified()) return false;
    cache_.remove(path);
  }
  return !queued_.contains(path) && !running_paths_.contains(path);
}

void ThumbnailProvider::Request(const QStringList& paths) {
  {
    QMutexLocker lock(&mutex_);
    for (const QString& path : paths) {
      if (!NeedsRead(path)) continue;
      queue_.append(path);
      queued_.insert(path);
    }
  }
  StartWorkers();
}

void ThumbnailProvider::Prioritise(const QStringList& paths) {
  {
    QMutexLocker lock(&mutex_);
    for (auto it = paths.crbegin(); it != paths.crend(); ++it) {
      const QString& path = *it;
      if (path.isEmpty() || cache_.contains(path) || running_paths_.contains(path)) continue;
      if (queued_.contains(path)) {
        queue_.removeOne(path);
      } else {
        queued_.insert(path);
      }
      queue_.prepend(path);
    }
  }
  StartWorkers();
}

void ThumbnailProvider::CancelQueued() {
  QMutexLocker lock(&mutex_);
  queue_.clear();
  queued_.clear();
}

QImage ThumbnailProvider::Find(const QString& path) const {
  const Entry* entry = cache_.object(path);
  return entry ? entry->image : QImage();
}

ThumbnailProvider::State ThumbnailProvider::StateOf(const QString& path) const {
  if (const Entry* entry = cache_.object(path)) {
    return entry->image.isNull() ? State::kFailed : State::kReady;
  }
  QMutexLocker lock(&mutex_);
  if (queued_.contains(path) || running_paths_.contains(path)) return State::kQueued;
  return State::kUnknown;
}

bool ThumbnailProvider::Idle() const {
  QMutexLocker lock(&mutex_);
  return queue_.isEmpty() && running_paths_.isEmpty();
}

void ThumbnailProvider::StartWorkers() {
  QMutexLocker lock(&mutex_);
  while (workers_ < parallel_ && workers_ < queue_.size()) {
    ++workers_;
    pool_.start([this] { Work(); });
  }
}

void ThumbnailProvider::Work() {
#ifdef Q_OS_LINUX
  // Thumbnails fill in the background: the user-interface thread wins the cores. On Linux the
  // nice value belongs to the thread, and this pool's threads only ever read thumbnails.
  setpriority(PRIO_PROCESS, 0, 5);
#endif
  for (;;) {
    QString path;
    {
      QMutexLocker lock(&mutex_);
      if (stopping_ || queue_.isEmpty() || workers_ > parallel_) {
        --workers_;
        return;
      }
      path = queue_.takeFirst();
      queued_.remove(path);
      running_paths_.insert(path);
    }
    // Taken before reading, so a file changed during the read is read again next time.
    const QDateTime mtime = QFileInfo(path).lastModified();
    const Thumbnail thumbnail = ReadThumbnail(path, box_);
    // A provider destroyed meanwhile discards the event; its destructor waits for this loop.
    QMetaObject::invokeMethod(
        this, [this, path, mtime, thumbnail] { Finished(path, mtime, thumbnail); },
        Qt::QueuedConnection);
  }
}

void ThumbnailProvider::Finished(const QString& path, const QDateTime& mtime,
                                 const Thumbnail& thumbnail) {
  {
    QMutexLocker lock(&mutex_);
    running_paths_.remove(path);
  }
  ++reads_;
  if (thumbnail.source == ThumbnailSource::kExif) ++exif_reads_;
  const qsizetype cost = thumbnail.image.sizeInBytes() / 1024 + 1;
  cache_.insert(path, new Entry{thumbnail.image, mtime}, cost);
  emit ThumbnailReady(path);
}

}  // namespace komasu
