#include "photos/thumbnail_view.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>

#include "photos/thumbnail_model.h"
#include "photos/thumbnail_provider.h"

namespace komasu {

ThumbnailView::ThumbnailView(QWidget* parent)
    : QListView(parent),
      provider_(new ThumbnailProvider(kThumbnailBox, this)),
      model_(new ThumbnailModel(*provider_, this)) {
  setObjectName("ThumbnailView");
  setViewMode(QListView::IconMode);
  setMovement(QListView::Static);
  setResizeMode(QListView::Adjust);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(kThumbnailBox);
  setGridSize(kThumbnailBox + QSize(24, 2 * fontMetrics().height() + 12));
  setWordWrap(true);
  setTextElideMode(Qt::ElideMiddle);
  setModel(model_);

  // Scrolling and resizing re-order the queue once the view has settled on its new rows.
  visible_changed_.setSingleShot(true);
  visible_changed_.setInterval(0);
  connect(&visible_changed_, &QTimer::timeout, this, &ThumbnailView::PrioritiseVisible);
  connect(model_, &QAbstractItemModel::modelReset, &visible_changed_, qOverload<>(&QTimer::start));
  // A click on another item changes the current item; a click on the current one chooses it
  // again (the dialog shows its preview anew).
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) emit PhotoClicked(model_->PathAt(current.row()));
          });
  connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid() && pressed_current_) emit PhotoClicked(model_->PathAt(index.row()));
  });
}

ThumbnailView::~ThumbnailView() = default;

void ThumbnailView::SetFolder(const QString& folder) { model_->SetFolder(folder); }

void ThumbnailView::SetFiles(const QStringList& paths) { model_->SetFiles(paths); }

void ThumbnailView::SelectPath(const QString& path) {
  const int row = model_->RowOf(path);
  if (row < 0) {
    clearSelection();
    return;
  }
  const QModelIndex index = model_->index(row);
  const QSignalBlocker block(selectionModel());
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

QString ThumbnailView::CurrentPath() const { return model_->PathAt(currentIndex().row()); }

std::pair<int, int> ThumbnailView::VisibleRows() const {
  const QRect area = viewport()->rect();
  int first = -1;
  int last = -1;
  // Items are laid out in row order, so the visible ones form one run.
  for (int row = 0; row < model_->rowCount(); ++row) {
    const QRect r = visualRect(model_->index(row));
    if (r.intersects(area)) {
      if (first < 0) first = row;
      last = row;
    } else if (first >= 0 && r.top() > area.bottom()) {
      break;
    }
  }
  return {first, last};
}

void ThumbnailView::PrioritiseVisible() {
  executeDelayedItemsLayout();
  const auto [first, last] = VisibleRows();
  if (first >= 0) model_->ShowingRows(first, last);
}

void ThumbnailView::mousePressEvent(QMouseEvent* event) {
  pressed_current_ = currentIndex().isValid() && indexAt(event->pos()) == currentIndex();
  QListView::mousePressEvent(event);
}

void ThumbnailView::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  visible_changed_.start();
}

void ThumbnailView::scrollContentsBy(int dx, int dy) {
  QListView::scrollContentsBy(dx, dy);
  visible_changed_.start();
}

}  // namespace komasu
