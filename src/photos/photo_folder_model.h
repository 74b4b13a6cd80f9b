#pragma once
// The photo files of one folder for the file list: regular files matching the photo patterns
// without regard to case, sorted by name. Views may show it as a list or as icons; an icon
// mode supplies Qt::DecorationRole through a proxy model or a subclass.

#include <QAbstractListModel>
#include <QStringList>

namespace komasu {

class PhotoFolderModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  // Shows `folder` (re-read even when it is the same folder).
  void SetFolder(const QString& folder);
  void Refresh() { SetFolder(folder_); }
  const QString& Folder() const { return folder_; }
  // The full path of row `row`.
  QString FilePath(int row) const;
  int RowOf(const QString& path) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  QString folder_;
  QStringList names_;
};

}  // namespace komasu
