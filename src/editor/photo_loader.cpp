#include "editor/photo_loader.h"

#include <QFileInfo>
#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif
#include <QPointer>
#include <algorithm>

#include "album/album.h"
#include "album/page_reader.h"
#include "platform/photo_decoder.h"

namespace komasu {

PhotoLoader::PhotoLoader(QObject* parent) : QObject(parent) {
  pool_.setMaxThreadCount(kParallelDecodes);
  pool_ahead_.setMaxThreadCount(kParallelDecodesAhead);
}

PhotoLoader::~PhotoLoader() {
  queue_.clear();
  queue_ahead_.clear();
  pool_.waitForDone();
  pool_ahead_.waitForDone();
}

PhotoLoader::Key PhotoLoader::MakeKey(const QString& path, QSize size) const {
  // The modification time makes a replaced file a new photo.
  return {path, size, QFileInfo(path).lastModified()};
}

void PhotoLoader::Want(const QList<PhotoRequest>& requests) {
  queue_.clear();
  queue_ahead_.clear();
  wanted_.clear();
  for (const PhotoRequest& r : requests) {
    if (r.path.isEmpty() || r.size.isEmpty()) continue;
    const Key key = MakeKey(r.path, r.size);
    if (wanted_.contains(key)) continue;
    wanted_.append(key);
    auto it = cache_.find(key);
    if (it == cache_.end()) {
      (r.ahead ? queue_ahead_ : queue_).append(key);
    } else {
      it->last_use = ++use_clock_;
    }
  }
  StartQueued();
  Trim();
}

void PhotoLoader::StartQueued() {
  while (running_ < kParallelDecodes && !queue_.isEmpty()) Start(queue_.takeFirst(), false);
  while (running_ahead_ < kParallelDecodesAhead && !queue_ahead_.isEmpty()) {
    Start(queue_ahead_.takeFirst(), true);
  }
}

void PhotoLoader::Start(const Key& key, bool ahead) {
  cache_.insert(key, Entry{{}, false, ++use_clock_});  // marks it as running
  ++(ahead ? running_ahead_ : running_);
  QPointer<PhotoLoader> self(this);
  (ahead ? pool_ahead_ : pool_).start([self, key, ahead] {
#ifdef Q_OS_LINUX
    // Decoding ahead must not slow down the page the user works on: on Linux the nice
    // value is per thread, and these threads only ever decode ahead.
    if (ahead) setpriority(PRIO_PROCESS, 0, 10);
#endif
    const QImage image = DecodePhoto(key.path, key.size, PhotoFit::kSlot);
    // A loader destroyed meanwhile discards the event; its destructor waits for us.
    QMetaObject::invokeMethod(
        self.data(),
        [self, key, image, ahead] {
          if (self) self->Finished(key, image, ahead);
        },
        Qt::QueuedConnection);
  });
}

void PhotoLoader::Finished(const Key& key, const QImage& image, bool ahead) {
  --(ahead ? running_ahead_ : running_);
  ++decodes_;
  Entry& e = cache_[key];
  e.image = image;
  e.done = true;
  e.last_use = ++use_clock_;
  StartQueued();
  Trim();
  emit PhotoReady(key.path, key.size);
}

void PhotoLoader::Trim() {
  if (cache_.size() <= kKeptImages) return;
  QList<std::pair<quint64, Key>> old;
  for (auto it = cache_.cbegin(); it != cache_.cend(); ++it) {
    if (it->done && !wanted_.contains(it.key())) old.append({it->last_use, it.key()});
  }
  std::sort(old.begin(), old.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [use, key] : old) {
    if (cache_.size() <= kKeptImages) break;
    cache_.remove(key);
  }
}

QImage PhotoLoader::Find(const QString& path, QSize size) const {
  const auto it = cache_.constFind(MakeKey(path, size));
  if (it != cache_.cend() && it->done) return it->image;
  QImage best;
  quint64 newest = 0;
  for (auto i = cache_.cbegin(); i != cache_.cend(); ++i) {
    if (i.key().path == path && i->done && !i->image.isNull() && i->last_use >= newest) {
      best = i->image;
      newest = i->last_use;
    }
  }
  return best;
}

bool PhotoLoader::IsDone(const QString& path, QSize size) const {
  const auto it = cache_.constFind(MakeKey(path, size));
  return it != cache_.cend() && it->done;
}

std::array<QString, 3> SlotPhotoPaths(Album& album, int page) {
  const std::optional<PageContent> read = ReadPage(album.Records(), page, album.Layout());
  if (!read) return {};
  return {read->Photo(1).path, read->Photo(2).path, read->Photo(3).path};
}

}  // namespace komasu
