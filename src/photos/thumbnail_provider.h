#pragma once
// Reads photo thumbnails off the user-interface thread and keeps them, keyed by path and
// modification time, so a folder shown again costs nothing and a replaced file is read anew.
// Requests wait in one queue that the view re-orders as it scrolls: what is on screen is read
// first. Results arrive on the provider's thread through ThumbnailReady.

#include <QCache>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include "photos/thumbnail_reader.h"

namespace komasu {

class ThumbnailProvider : public QObject {
  Q_OBJECT

 public:
  enum class State { kUnknown, kQueued, kReady, kFailed };

  explicit ThumbnailProvider(QSize box = kThumbnailBox, QObject* parent = nullptr);
  // Drops the queue and waits for the reads already running.
  ~ThumbnailProvider() override;

  QSize Box() const { return box_; }

  // Queues `paths` behind the requests already waiting. Paths already read (and unchanged on
  // disk), queued or being read are not queued again.
  void Request(const QStringList& paths);
  // Moves `paths` to the front of the queue in this order, queuing those not yet queued: the
  // items the view shows now.
  void Prioritise(const QStringList& paths);
  // Drops every waiting request (another folder is shown); reads already running finish and
  // are kept.
  void CancelQueued();

  // The thumbnail read for `path`, or a null image when it is not ready or cannot be shown.
  QImage Find(const QString& path) const;
  State StateOf(const QString& path) const;
  // True when nothing is queued or being read.
  bool Idle() const;

  // Reads done so far, and how many of them found an embedded thumbnail (for measurements).
  int ReadCount() const { return reads_; }
  int ExifCount() const { return exif_reads_; }

  // Reads run at once: one per core, at most four. With 0, requests wait until it is raised.
  static int DefaultParallelReads();
  void SetParallelReads(int count);
  // The waiting requests, next first.
  QStringList QueuedPaths() const;
  // Thumbnails kept, in kilobytes of pixels: a few thousand icons.
  static constexpr int kCacheKilobytes = 96 * 1024;

 signals:
  // `path` was read; StateOf tells whether it can be shown.
  void ThumbnailReady(const QString& path);

 private:
  struct Entry {
    QImage image;
    QDateTime mtime;
  };
  // Whether `path` needs reading; drops a kept thumbnail of a file changed since.
  bool NeedsRead(const QString& path);
  void StartWorkers();
  void Work();
  void Finished(const QString& path, const QDateTime& mtime, const Thumbnail& thumbnail);

  const QSize box_;
  QThreadPool pool_;
  mutable QCache<QString, Entry> cache_;

  // Shared with the workers.
  mutable QMutex mutex_;
  QList<QString> queue_;
  QSet<QString> queued_;
  QHash<QString, QDateTime> queued_mtime_;
  QSet<QString> running_paths_;
  int workers_ = 0;
  int parallel_ = 1;
  bool stopping_ = false;

  int reads_ = 0;
  int exif_reads_ = 0;
};

}  // namespace komasu
