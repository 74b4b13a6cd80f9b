#pragma once
// The photo files of a folder (or a given list of files) as a list model of icons: each item
// shows its file name and, once read, its thumbnail. Thumbnails come from a
// ThumbnailProvider; all files are queued when the list is set, and the rows a view shows are
// moved to the front of the queue.

#include <QAbstractListModel>
#include <QHash>
#include <QImage>
#include <QStringList>

namespace komasu {

class ThumbnailProvider;

// The photo files of `folder` (kPhotoFilePatterns) sorted by name (case-insensitive): regular
// files only, so folders named like photos, FIFOs and devices are not listed. Empty when it
// cannot be read.
QStringList ListPhotoFiles(const QString& folder);

class ThumbnailModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role { kPathRole = Qt::UserRole + 1, kStateRole };

  explicit ThumbnailModel(ThumbnailProvider& provider, QObject* parent = nullptr);

  // Shows the photo files of `folder`; waiting reads of the previous list are dropped.
  void SetFolder(const QString& folder);
  // Shows `paths` in this order.
  void SetFiles(const QStringList& paths);
  const QStringList& Files() const { return paths_; }
  QString PathAt(int row) const { return paths_.value(row); }
  // The row of `path`, or -1.
  int RowOf(const QString& path) const { return row_of_.value(path, -1); }

  // The rows [first, last] are on screen: their thumbnails are read next.
  void ShowingRows(int first, int last);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The icon of a file whose thumbnail is not read yet, and of one that cannot be shown.
  QImage PendingImage() const { return pending_; }
  QImage FailedImage() const { return failed_; }

 private:
  void Ready(const QString& path);

  ThumbnailProvider& provider_;
  QStringList paths_;
  QHash<QString, int> row_of_;
  QImage pending_;
  QImage failed_;
};

}  // namespace komasu
