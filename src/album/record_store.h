#pragma once
// The album file's records as raw CP932 bytes (header at 0), re-read whenever the file's size
// or modification time changed, the stamp of the file as the shown page last saw it (to tell
// whether another program wrote it since), and the one atomic rewrite. Inside a batch,
// rewrites update the records in memory and the file is written once when the batch ends.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace komasu {

class Prompter;

class RecordStore {
 public:
  // Size and modification time of a file, as last seen.
  struct FileStamp {
    QString path;
    qint64 size = -1;
    QDateTime mtime;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp StampOf(const QString& path);

  explicit RecordStore(Prompter& prompter) : prompter_(prompter) {}

  // Reads `path` when it is not the file last read or changed since; inside a batch the
  // records in memory are ahead of the file and stay. False when the file cannot be read (the
  // records last known stay).
  bool Ensure(const QString& path);
  const QList<QByteArray>& Records() const { return records_; }
  // Takes `bytes`, just read from `path`, as its records; the file is read anew next time when
  // it no longer has their size.
  void Adopt(const QString& path, const QByteArray& bytes);
  // The next Ensure reads the file anew.
  void Forget() { path_.clear(); }

  // The stamp the shown page was read or written under.
  void MarkShownStamp() { shown_ = Stamp(); }
  // Whether another program changed `path` since the shown page was read from it or last
  // written to it.
  bool ChangedBehindUs(const QString& path) const;
  // Asks before replacing a file another program changed; false (the user was told) on No.
  bool MayOverwriteChanged(const QString& path);

  // Writes `records` to `path` atomically (inside a batch: into memory). False when the write
  // failed; the user was told and the old file stays.
  bool Write(const QString& path, const QList<QByteArray>& records);

  // Inside a batch on `path`: replaces record `index` in memory. False (nothing done) outside a
  // batch, for another file or an index past the records.
  bool ReplaceInBatch(const QString& path, qsizetype index, const QByteArray& bytes);

  void BeginBatch() { ++batch_depth_; }
  // Ends one level; true when it was the outermost. `dirty` tells whether records in memory
  // wait to be written.
  bool EndBatchLevel(bool* dirty);
  bool InBatch() const { return batch_depth_ > 0; }

 private:
  FileStamp Stamp() const { return {path_, size_, mtime_}; }

  Prompter& prompter_;
  QList<QByteArray> records_;
  QString path_;
  qint64 size_ = -1;
  QDateTime mtime_;
  FileStamp shown_;
  int batch_depth_ = 0;
  bool batch_dirty_ = false;
};

}  // namespace komasu
