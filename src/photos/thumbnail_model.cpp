#include "photos/thumbnail_model.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "photos/photo_insert_form.h"
#include "photos/thumbnail_provider.h"

namespace komasu {

namespace {

QImage Placeholder(QSize box, bool failed) {
  QImage image(box, QImage::Format_RGB32);
  image.fill(QColor(0xe8, 0xe8, 0xe8));
  QPainter painter(&image);
  painter.setPen(QColor(0xb0, 0xb0, 0xb0));
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  if (failed) {
    // A file that cannot be shown is crossed out, as the preview says it cannot show it.
    painter.setPen(QPen(QColor(0xc0, 0x40, 0x40), 2));
    const QRect r = image.rect().adjusted(box.width() / 3, box.height() / 3, -box.width() / 3,
                                          -box.height() / 3);
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
  }
  return image;
}

}  // namespace

QStringList ListPhotoFiles(const QString& folder) {
  if (folder.isEmpty()) return {};
  QDir dir(folder);
  // Without QDir::System, FIFOs, sockets and devices are left out; without QDir::Dirs, folders.
  const QStringList names =
      dir.entryList(kPhotoFilePatterns, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
  QStringList paths;
  paths.reserve(names.size());
  for (const QString& name : names) paths.append(dir.filePath(name));
  return paths;
}

ThumbnailModel::ThumbnailModel(ThumbnailProvider& provider, QObject* parent)
    : QAbstractListModel(parent),
      provider_(provider),
      pending_(Placeholder(provider.Box(), false)),
      failed_(Placeholder(provider.Box(), true)) {
  connect(&provider_, &ThumbnailProvider::ThumbnailReady, this, &ThumbnailModel::Ready);
}

void ThumbnailModel::SetFolder(const QString& folder) { SetFiles(ListPhotoFiles(folder)); }

void ThumbnailModel::SetFiles(const QStringList& paths) {
  provider_.CancelQueued();
  beginResetModel();
  paths_ = paths;
  row_of_.clear();
  row_of_.reserve(paths_.size());
  for (int i = 0; i < paths_.size(); ++i) row_of_.insert(paths_[i], i);
  endResetModel();
  provider_.Request(paths_);
}

void ThumbnailModel::ShowingRows(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(paths_.size()) - 1);
  if (first > last) return;
  provider_.Prioritise(paths_.mid(first, last - first + 1));
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(paths_.size());
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= paths_.size()) return {};
  const QString& path = paths_[index.row()];
  switch (role) {
    case Qt::DisplayRole:
      return QFileInfo(path).fileName();
    case Qt::ToolTipRole:
    case kPathRole:
      return path;
    case Qt::DecorationRole:
      switch (provider_.StateOf(path)) {
        case ThumbnailProvider::State::kReady:
          return provider_.Find(path);
        case ThumbnailProvider::State::kFailed:
          return failed_;
        case ThumbnailProvider::State::kUnknown:
          // Dropped from the kept thumbnails since: shown, so read it next.
          provider_.Prioritise({path});
          return pending_;
        case ThumbnailProvider::State::kQueued:
          return pending_;
      }
      return {};
    case kStateRole:
      return static_cast<int>(provider_.StateOf(path));
    default:
      return {};
  }
}

void ThumbnailModel::Ready(const QString& path) {
  const int row = RowOf(path);
  if (row < 0) return;
  const QModelIndex i = index(row);
  emit dataChanged(i, i, {Qt::DecorationRole, kStateRole});
}

}  // namespace komasu
