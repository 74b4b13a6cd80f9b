#pragma once
// The photo insert dialog `pict`: a thin widget over PhotoInsertForm, with the folder browser,
// the file list over PhotoFolderModel and a preview decoded off the user-interface thread.
// Modal from the menu, modeless (owned by the main window) from the toolbar.

#include <QDialog>
#include <array>

#include "photos/photo_folder_model.h"
#include "photos/photo_insert_form.h"
#include "photos/preview_loader.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;

namespace komasu {

class AlbumCommands;
class FolderBrowser;
class Prompter;
class ThumbnailView;

class PhotoInsertDialog : public QDialog {
  Q_OBJECT

 public:
  PhotoInsertDialog(AlbumCommands& commands, Prompter& prompter, QWidget* parent = nullptr);

  // The file list; a second view mode (icons) is switched on this view with setViewMode.
  QListView* FileList() const { return file_list_; }
  PhotoFolderModel& Files() { return files_; }
  const PhotoInsertForm& Form() const { return form_; }

 private:
  void FileClicked(const QModelIndex& index);
  void ChoosePath(const QString& path);
  void PreviewReady(const QString& path, const QImage& image, QSize natural);
  void Jump(int index);
  // The shown folder read again, in both views; the previewed file stays selected.
  void RefreshFiles();
  void SelectInList(const QString& path);
  // The thumbnails take the room of the folder tree and the preview.
  void ShowThumbnailsLarge(bool large);
  void PutIntoSlot(int slot);
  // The files selected in the list or icon view shown.
  QStringList ChosenFiles() const;
  void ShowSlotCaptions();

  PhotoInsertForm form_;
  PhotoFolderModel files_;
  PreviewLoader preview_loader_;
  QString previewing_;
  FolderBrowser* browser_ = nullptr;
  QListView* file_list_ = nullptr;
  ThumbnailView* thumbnails_ = nullptr;
  QCheckBox* copy_ = nullptr;
  QComboBox* date_line_ = nullptr;
  QLabel* preview_ = nullptr;
  QLabel* status_ = nullptr;
  std::array<QLabel*, 3> slot_captions_ = {};
};

}  // namespace komasu
