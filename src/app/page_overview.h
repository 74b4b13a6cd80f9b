#pragma once
// The page overview: every page of the album as a small picture of it as printed, the shown
// page marked. A click shows a page; pages dragged to another place move there (several
// selected pages together, in their order); a photo dragged from the page onto a picture
// moves into that page's first free slot.

#include <QAbstractListModel>
#include <QDockWidget>
#include <QImage>
#include <QTimer>

#include "app/page_thumbnails.h"

class QListView;

namespace komasu {

class Album;
class AlbumCommands;

inline constexpr char kPagesMimeType[] = "application/x-komasu2-pages";

// One row per page: the page number as text, its picture as decoration.
class PageOverviewModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit PageOverviewModel(AlbumCommands& commands, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  // Runs the move (after the drop has ended) and answers false: the rows follow the album.
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  PageThumbnails& Thumbnails() { return thumbnails_; }
  // Whether the picture of row `row` is drawn and kept (or, with `or_draft`, its draft is).
  bool PictureReady(int row, bool or_draft = false) const {
    const QByteArray key = KeyOf(row + 1);
    return !thumbnails_.Find(key).isNull() || (or_draft && !thumbnails_.FindDraft(key).isNull());
  }
  // The page a drop at (`row`, `parent`) puts dragged pages before (1..count + 1).
  int DropTarget(int row, const QModelIndex& parent) const;

 private:
  void Follow();
  QByteArray KeyOf(int n) const;

  AlbumCommands& commands_;
  Album& album_;
  PageThumbnails thumbnails_;
  int rows_ = 0;
  int shown_revision_ = 0;
  bool shown_as_stored_ = true;  // the shown page is as its record holds it
  QTimer shown_changed_;  // the shown page's picture is drawn again once typing pauses
  QImage blank_;
};

class PageOverview : public QDockWidget {
  Q_OBJECT

 public:
  PageOverview(AlbumCommands& commands, QWidget* parent = nullptr);
  PageOverviewModel& Model() { return model_; }
  QListView& List() { return *list_; }

 private:
  void MarkShownPage();

  Album& album_;
  PageOverviewModel model_;
  QListView* list_;
};

}  // namespace komasu
