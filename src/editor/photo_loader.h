#pragma once
// Decodes photos off the user-interface thread at the pixel size they are shown, keeps the
// recent results, and decodes ahead what the caller says it will want next. Results arrive
// on the loader's thread through PhotoReady; a photo that cannot be decoded is remembered as
// done with a null image, so it is not tried again until its file changes.

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <array>

namespace komasu {

class Album;

struct PhotoRequest {
  QString path;
  QSize size;          // device pixels
  bool ahead = false;  // decoded ahead for a page not shown yet: yields to the UI thread
};

class PhotoLoader : public QObject {
  Q_OBJECT

 public:
  explicit PhotoLoader(QObject* parent = nullptr);
  ~PhotoLoader() override;

  // Replaces the wanted photos, most urgent first. Queued decodes of photos no longer wanted
  // are dropped; decodes already running finish and are kept.
  void Want(const QList<PhotoRequest>& requests);

  // The photo decoded at `size`; when only another size is ready (the view was resized), that
  // one; otherwise a null image.
  QImage Find(const QString& path, QSize size) const;
  // True when `path` at `size` was decoded or found undecodable.
  bool IsDone(const QString& path, QSize size) const;
  // True when every wanted request is done.
  bool Idle() const {
    return queue_.isEmpty() && queue_ahead_.isEmpty() && running_ == 0 && running_ahead_ == 0;
  }

  // Number of decodes run so far (for measurements).
  int DecodeCount() const { return decodes_; }

  static constexpr int kParallelDecodes = 3;  // one per slot of the shown page
  static constexpr int kParallelDecodesAhead = 2;
  static constexpr int kKeptImages = 24;

 signals:
  void PhotoReady(const QString& path, QSize size);

 private:
  struct Key {
    QString path;
    QSize size;
    QDateTime mtime;
    bool operator==(const Key&) const = default;
  };
  friend size_t qHash(const Key& key, size_t seed) {
    return qHashMulti(seed, key.path, key.size.width(), key.size.height(),
                      key.mtime.toMSecsSinceEpoch());
  }
  struct Entry {
    QImage image;
    bool done = false;
    quint64 last_use = 0;
  };

  Key MakeKey(const QString& path, QSize size) const;
  void StartQueued();
  void Start(const Key& key, bool ahead);
  void Finished(const Key& key, const QImage& image, bool ahead);
  void Trim();

  QThreadPool pool_;
  QThreadPool pool_ahead_;  // threads of lowered priority
  QHash<Key, Entry> cache_;
  QList<Key> queue_;
  QList<Key> queue_ahead_;
  QList<Key> wanted_;
  int running_ = 0;
  int running_ahead_ = 0;
  int decodes_ = 0;
  quint64 use_clock_ = 0;
};

// The photo paths of slots 1..3 of page `page`, read from the album's records without
// touching the shown page; empty strings for empty slots or pages beyond the album.
std::array<QString, 3> SlotPhotoPaths(Album& album, int page);

}  // namespace komasu
