#include "photos/photo_folder_model.h"

#include <QDir>

#include "photos/photo_insert_form.h"

namespace komasu {

void PhotoFolderModel::SetFolder(const QString& folder) {
  beginResetModel();
  folder_ = folder;
  names_.clear();
  if (!folder.isEmpty()) {
    // QDir::Files without QDir::System leaves out FIFOs, sockets and devices named like
    // photos; name filters are case-insensitive unless QDir::CaseSensitive is given.
    names_ = QDir(folder).entryList(kPhotoFilePatterns, QDir::Files | QDir::Hidden,
                                    QDir::Name | QDir::IgnoreCase);
  }
  endResetModel();
}

QString PhotoFolderModel::FilePath(int row) const {
  if (row < 0 || row >= names_.size()) return {};
  return QDir(folder_).filePath(names_[row]);
}

int PhotoFolderModel::RowOf(const QString& path) const {
  for (int row = 0; row < names_.size(); ++row) {
    if (FilePath(row) == path) return row;
  }
  return -1;
}

int PhotoFolderModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant PhotoFolderModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= names_.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return names_[index.row()];
  return {};
}

}  // namespace komasu
