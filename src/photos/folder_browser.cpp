#include "photos/folder_browser.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

namespace komasu {

FolderBrowser::FolderBrowser(Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      prompter_(prompter),
      places_(new QComboBox(this)),
      tree_(new QTreeView(this)),
      model_(new QFileSystemModel(this)),
      list_(PhotoPlaces()) {
  places_->setObjectName(QStringLiteral("Drive1"));
  tree_->setObjectName(QStringLiteral("Dir1"));
  for (const PhotoPlace& place : list_) places_->addItem(place.caption, place.path);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QString());
  tree_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->setHeaderHidden(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(places_);
  layout->addWidget(tree_, 1);
  connect(places_, &QComboBox::activated, this, &FolderBrowser::PlaceChosen);
  // The tree is read in the background: a folder shown before its parents were read comes
  // into view once they are.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
    const QModelIndex current = tree_->currentIndex();
    if (current.isValid() && folder_.startsWith(loaded)) tree_->scrollTo(current);
  });
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            if (index.isValid()) SetFolder(model_->filePath(index));
          });
}

void FolderBrowser::PlaceChosen(int index) {
  const int chosen = ChoosePlace(list_, current_, index, prompter_);
  places_->setCurrentIndex(chosen);
  if (chosen != current_) ShowPlace(chosen);
}

void FolderBrowser::ShowPlace(int index) {
  current_ = index;
  if (index < 0) return;
  const QString root = list_[index].path;
  tree_->setRootIndex(model_->index(root));
  tree_->clearSelection();
  SetFolder(root);
}

void FolderBrowser::SetFolder(const QString& folder) {
  if (folder_ == folder) return;
  folder_ = folder;
  emit FolderChanged(folder_);
}

bool FolderBrowser::ShowFolder(const QString& folder) {
  if (!PlaceProblem(folder).isEmpty()) return false;
  const QString path = QDir(folder).absolutePath();
  // The place holding the folder: the one with the longest matching path.
  int best = -1;
  for (int i = 0; i < list_.size(); ++i) {
    const QString root = QDir(list_[i].path).absolutePath();
    const bool inside = path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
    if (inside && (best < 0 || root.size() > list_[best].path.size())) best = i;
  }
  if (best < 0) {
    list_.append({path, QDir::toNativeSeparators(path), false});
    places_->addItem(list_.back().caption, path);
    best = static_cast<int>(list_.size() - 1);
  }
  places_->setCurrentIndex(best);
  if (best != current_) ShowPlace(best);
  const QModelIndex index = model_->index(path);
  if (path != QDir(list_[best].path).absolutePath() && index.isValid()) {
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
  }
  SetFolder(path);
  return true;
}

}  // namespace komasu
