#pragma once
// The drive and folder lists of the photo dialogs: a list of places (removable media first,
// the home folder, the other mounted volumes) and the folder tree of the chosen place. A place
// that cannot be read is reported once and the list goes back to the place chosen before.

#include <QList>
#include <QWidget>

#include "photos/photo_places.h"

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace komasu {

class Prompter;

class FolderBrowser : public QWidget {
  Q_OBJECT

 public:
  FolderBrowser(Prompter& prompter, QWidget* parent = nullptr);

  // The folder chosen in the tree, or the place itself.
  QString Folder() const { return folder_; }
  // Shows `folder` in its place's tree; false (nothing changes) when it cannot be read.
  bool ShowFolder(const QString& folder);

 signals:
  void FolderChanged(const QString& folder);

 private:
  void PlaceChosen(int index);
  void ShowPlace(int index);
  void SetFolder(const QString& folder);

  Prompter& prompter_;
  QComboBox* places_;
  QTreeView* tree_;
  QFileSystemModel* model_;
  QList<PhotoPlace> list_;
  int current_ = -1;
  QString folder_;
};

}  // namespace komasu
