#include "app/page_overview.h"

#include <QApplication>
#include <QDataStream>
#include <QIODevice>
#include <QListView>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

#include "album/album.h"
#include "album/page_reader.h"
#include "commands/album_commands.h"
#include "editor/page_view.h"

namespace komasu {

namespace {

QByteArray PackPages(const QList<int>& pages) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << pages;
  return bytes;
}

QList<int> UnpackPages(const QByteArray& bytes) {
  QDataStream in(bytes);
  QList<int> pages;
  in >> pages;
  return pages;
}

}  // namespace

PageOverviewModel::PageOverviewModel(AlbumCommands& commands, QObject* parent)
    : QAbstractListModel(parent), commands_(commands), album_(commands.Doc()) {
  blank_ = QImage(kPageThumbnailWidth, kPageThumbnailWidth * 297 / 210, QImage::Format_RGB32);
  blank_.fill(Qt::white);
  QPainter edge(&blank_);
  edge.setPen(QColor(160, 160, 160));
  edge.drawRect(blank_.rect().adjusted(0, 0, -1, -1));
  shown_changed_.setSingleShot(true);
  shown_changed_.setInterval(400);
  connect(&shown_changed_, &QTimer::timeout, this, [this] {
    ++shown_revision_;
    const QModelIndex shown = index(album_.CurrentPage() - 1);
    if (shown.isValid()) emit dataChanged(shown, shown, {Qt::DecorationRole});
  });
  connect(&album_, &Album::PageShown, this, &PageOverviewModel::Follow);
  connect(&album_, &Album::AlbumOpened, this, &PageOverviewModel::Follow);
  connect(&album_, &Album::PageWrittenBack, this, &PageOverviewModel::Follow);
  connect(&album_, &Album::PageChanged, this, [this] {
    shown_as_stored_ = false;
    shown_changed_.start();
  });
  connect(&thumbnails_, &PageThumbnails::Ready, this, [this] {
    if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1), {Qt::DecorationRole});
  });
  Follow();
}

void PageOverviewModel::Follow() {
  // Just loaded, written back or moved: the shown page is as its record holds it.
  shown_as_stored_ = true;
  const int count = album_.IsOpen() ? album_.PageCount() : 0;
  if (count != rows_) {
    beginResetModel();
    rows_ = count;
    endResetModel();
  } else if (rows_ > 0) {
    emit dataChanged(index(0), index(rows_ - 1), {Qt::DecorationRole});
  }
}

int PageOverviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QByteArray PageOverviewModel::KeyOf(int n) const {
  const PageSide side = album_.Layout().SideFor(n);
  if (n == album_.CurrentPage() && !shown_as_stored_) {
    // The shown page is ahead of its record.
    return PageThumbnailKey(QByteArray("shown ") + QByteArray::number(shown_revision_), side);
  }
  return PageThumbnailKey(album_.Records().value(n), side);
}

QVariant PageOverviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  const int n = index.row() + 1;
  if (role == Qt::DisplayRole) return QString::number(n);
  if (role == Qt::ToolTipRole) return QStringLiteral("ページ %1").arg(n);
  if (role != Qt::DecorationRole) return {};
  const QByteArray key = KeyOf(n);
  if (const QImage kept = thumbnails_.Find(key); !kept.isNull()) return kept;
  if (const QImage draft = thumbnails_.FindDraft(key); !draft.isNull()) return draft;
  auto& thumbnails = const_cast<PageThumbnails&>(thumbnails_);
  if (!thumbnails.Wanted(key)) return blank_;
  if (n == album_.CurrentPage()) {
    thumbnails.Request(key, album_.Page(), n, album_.Layout(), album_.Callout());
  } else if (const auto page = ReadPage(album_.Records(), n, album_.Layout())) {
    thumbnails.Request(key, *page, n, album_.Layout(), album_.Callout());
  }
  return blank_;
}

Qt::ItemFlags PageOverviewModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags editable =
      album_.IsReadOnly() ? Qt::NoItemFlags : Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
  if (!index.isValid()) return album_.IsReadOnly() ? Qt::NoItemFlags : Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | editable;
}

QStringList PageOverviewModel::mimeTypes() const {
  return {QString::fromLatin1(kPagesMimeType), QString::fromLatin1(kPhotoSlotMimeType)};
}

QMimeData* PageOverviewModel::mimeData(const QModelIndexList& indexes) const {
  QList<int> pages;
  for (const QModelIndex& i : indexes) pages.append(i.row() + 1);
  std::sort(pages.begin(), pages.end());
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kPagesMimeType), PackPages(pages));
  return data;
}

int PageOverviewModel::DropTarget(int row, const QModelIndex& parent) const {
  if (row >= 0) return row + 1;
  return parent.isValid() ? parent.row() + 1 : rows_ + 1;
}

bool PageOverviewModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int,
                                        int, const QModelIndex& parent) const {
  if (album_.IsReadOnly()) return false;
  if (data->hasFormat(QString::fromLatin1(kPagesMimeType))) return true;
  // A photo goes onto a page, never between two.
  return data->hasFormat(QString::fromLatin1(kPhotoSlotMimeType)) && parent.isValid();
}

bool PageOverviewModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                     int column, const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  std::function<void()> move;
  if (data->hasFormat(QString::fromLatin1(kPagesMimeType))) {
    const QList<int> pages = UnpackPages(data->data(QString::fromLatin1(kPagesMimeType)));
    const int before = DropTarget(row, parent);
    move = [this, pages, before] { commands_.MovePages(pages, before); };
  } else {
    const int slot = data->data(QString::fromLatin1(kPhotoSlotMimeType)).toInt();
    const int page = parent.row() + 1;
    move = [this, slot, page] { commands_.MovePhotoToPage(slot, page); };
  }
  // A refusal shows a message box: not inside the drop, which holds the drag until it closes.
  QTimer::singleShot(0, this, move);
  return false;
}

PageOverview::PageOverview(AlbumCommands& commands, QWidget* parent)
    : QDockWidget(QStringLiteral("ページ一覧"), parent),
      album_(commands.Doc()),
      model_(commands),
      list_(new QListView(this)) {
  setObjectName(QStringLiteral("pageOverview"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
              QDockWidget::DockWidgetFloatable);
  list_->setObjectName(QStringLiteral("pageOverviewList"));
  list_->setModel(&model_);
  // List mode: an icon view would take a drag inside it for moving icons about.
  list_->setViewMode(QListView::ListMode);
  list_->setUniformItemSizes(true);
  list_->setIconSize(QSize(kPageThumbnailWidth, kPageThumbnailWidth * 297 / 210));
  list_->setSpacing(4);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setDragDropMode(QAbstractItemView::DragDrop);
  list_->setDefaultDropAction(Qt::MoveAction);
  list_->setDropIndicatorShown(true);
  list_->setDragEnabled(true);
  list_->setAcceptDrops(true);
  list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  list_->setMinimumWidth(kPageThumbnailWidth + 70);
  setWidget(list_);

  auto show_page = [this](const QModelIndex& index) {
    if (index.isValid()) album_.JumpToPage(index.row() + 1);
  };
  connect(list_, &QListView::clicked, this, [show_page](const QModelIndex& index) {
    if (QApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) return;
    show_page(index);
  });
  connect(list_, &QListView::activated, this, show_page);
  // Pictures of pages scrolled past are not drawn.
  connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { model_.Thumbnails().DropQueued(); });
  connect(&album_, &Album::PageShown, this, &PageOverview::MarkShownPage);
  connect(&model_, &QAbstractItemModel::modelReset, this, &PageOverview::MarkShownPage);
  MarkShownPage();
}

void PageOverview::MarkShownPage() {
  const QModelIndex shown = model_.index(album_.CurrentPage() - 1);
  if (!shown.isValid()) return;
  if (!list_->selectionModel()->isSelected(shown) ||
      list_->selectionModel()->selectedIndexes().size() != 1) {
    list_->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect);
  }
  list_->scrollTo(shown);
}

}  // namespace komasu
