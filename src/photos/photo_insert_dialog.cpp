#include "photos/photo_insert_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "album/page_content.h"
#include "photos/folder_browser.h"
#include "photos/photo_placement.h"
#include "photos/thumbnail_model.h"
#include "photos/thumbnail_view.h"

namespace komasu {

namespace {

// The preview area holds the largest fitted preview: 2775 × 2081 for wide photos, 2000 high
// for tall ones.
constexpr QSize kPreviewTwips(2775, 2081);

}  // namespace

PhotoInsertDialog::PhotoInsertDialog(AlbumCommands& commands, Prompter& prompter, QWidget* parent)
    : QDialog(parent), form_(commands, prompter) {
  setObjectName(QStringLiteral("pict"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-写真挿入"));
  form_.Load();
  const double px_per_twip = logicalDpiX() / 1440.0;

  auto* grid = new QGridLayout(this);
  copy_ = new QCheckBox(QStringLiteral("写真データ複製"), this);
  copy_->setObjectName(QStringLiteral("Check1"));
  copy_->setChecked(false);
  connect(copy_, &QCheckBox::toggled, this, [](bool on) { SetLastCopyChoice(on); });
  auto* copy_note = new QLabel(QStringLiteral("※データフォルダに写真をコピーします。"), this);
  copy_note->setObjectName(QStringLiteral("Label1(0)"));
  auto* remove = new QPushButton(QStringLiteral("写真消去"), this);
  remove->setObjectName(QStringLiteral("Command5"));
  auto* remove_note = new QLabel(QStringLiteral("※写真削除します"), this);
  remove_note->setObjectName(QStringLiteral("Label1(1)"));
  connect(remove, &QPushButton::clicked, this, [this] {
    if (form_.DeleteChosen()) RefreshFiles();
  });
  grid->addWidget(copy_, 0, 0);
  grid->addWidget(copy_note, 0, 1);
  grid->addWidget(remove, 1, 0);
  grid->addWidget(remove_note, 1, 1);

  browser_ = new FolderBrowser(prompter, this);
  browser_->setMinimumSize(240, 260);
  file_list_ = new QListView(this);
  file_list_->setObjectName(QStringLiteral("File1"));
  file_list_->setModel(&files_);
  file_list_->setViewMode(QListView::ListMode);
  file_list_->setMinimumSize(200, 260);
  file_list_->setUniformItemSizes(true);
  file_list_->setSelectionMode(QAbstractItemView::ExtendedSelection);  // several with Ctrl, Shift
  // The second view mode: the folder's photos as thumbnails, read only while they are shown.
  thumbnails_ = new ThumbnailView(this);
  thumbnails_->setObjectName(QStringLiteral("thumbnails"));
  thumbnails_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* views = new QStackedWidget(this);
  views->addWidget(file_list_);
  views->addWidget(thumbnails_);
  auto* as_thumbnails = new QCheckBox(QStringLiteral("サムネイル表示"), this);
  as_thumbnails->setObjectName(QStringLiteral("thumbnailMode"));
  auto* file_column = new QVBoxLayout;
  file_column->addWidget(views, 1);
  file_column->addWidget(as_thumbnails);
  grid->addWidget(browser_, 2, 0);
  // The file views take the height of the tree, the jumps and the preview, and any room the
  // dialog gains: the thumbnails fill it as a grid.
  grid->addLayout(file_column, 2, 1, 3, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  connect(as_thumbnails, &QCheckBox::toggled, this, [this, views](bool on) {
    views->setCurrentIndex(on ? 1 : 0);
    ShowThumbnailsLarge(on);
    if (on) thumbnails_->SetFolder(files_.Folder());
    if (on && !previewing_.isEmpty()) thumbnails_->SelectPath(previewing_);
  });
  connect(browser_, &FolderBrowser::FolderChanged, this, [this, views](const QString& folder) {
    files_.SetFolder(folder);
    if (views->currentIndex() == 1) thumbnails_->SetFolder(folder);
  });
  connect(file_list_, &QListView::clicked, this, &PhotoInsertDialog::FileClicked);
  connect(file_list_, &QListView::activated, this, &PhotoInsertDialog::FileClicked);
  // The arrow keys, Home and End choose as in the thumbnails; a press waits for its click.
  connect(file_list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid() && QGuiApplication::mouseButtons() == Qt::NoButton)
              FileClicked(current);
          });
  connect(thumbnails_, &ThumbnailView::PhotoClicked, this, [this](const QString& path) {
    SelectInList(path);
    ChoosePath(path);
  });

  auto* jumps = new QHBoxLayout;
  auto* data_jump = new QPushButton(QStringLiteral("データフォルダ"), this);
  data_jump->setObjectName(QStringLiteral("Command3(2)"));
  auto* camera_jump = new QPushButton(QStringLiteral("デジタルカメラ"), this);
  camera_jump->setObjectName(QStringLiteral("Command3(1)"));
  for (QPushButton* b : {remove, data_jump, camera_jump}) b->setAutoDefault(false);
  connect(data_jump, &QPushButton::clicked, this, [this] { Jump(2); });
  connect(camera_jump, &QPushButton::clicked, this, [this] { Jump(1); });
  jumps->addWidget(data_jump);
  jumps->addWidget(camera_jump);
  grid->addLayout(jumps, 3, 0);

  // The preview area: the image and the status text over it.
  auto* preview_area = new QWidget(this);
  preview_area->setFixedSize(static_cast<int>(kPreviewTwips.width() * px_per_twip) + 2,
                             static_cast<int>(kPreviewTwips.height() * px_per_twip) + 2);
  preview_ = new QLabel(preview_area);
  preview_->setObjectName(QStringLiteral("Image1"));
  preview_->setScaledContents(true);
  preview_->hide();
  status_ = new QLabel(preview_area);
  status_->setObjectName(QStringLiteral("Label8"));
  status_->setAlignment(Qt::AlignCenter);
  status_->setGeometry(preview_area->rect());
  status_->setWordWrap(true);
  status_->hide();
  grid->addWidget(preview_area, 4, 0, Qt::AlignLeft | Qt::AlignTop);
  connect(&preview_loader_, &PreviewLoader::Ready, this, &PhotoInsertDialog::PreviewReady);

  auto* slots_box = new QGridLayout;
  const char* captions[] = {"上-設定", "中-設定", "下-設定"};
  for (int slot = 1; slot <= 3; ++slot) {
    auto* put = new QPushButton(QString::fromUtf8(captions[slot - 1]), this);
    put->setObjectName(QStringLiteral("Command1(%1)").arg(slot));
    auto* clear = new QPushButton(QStringLiteral("解除"), this);
    clear->setObjectName(QStringLiteral("Command4(%1)").arg(slot));
    // No button is the default: Enter in the lists must not start one (写真消去 least of all).
    put->setAutoDefault(false);
    clear->setAutoDefault(false);
    auto* caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("Label2(%1)").arg(slot));
    caption->setMinimumWidth(260);
    caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    slot_captions_[static_cast<size_t>(slot - 1)] = caption;
    connect(put, &QPushButton::clicked, this, [this, slot] { PutIntoSlot(slot); });
    connect(clear, &QPushButton::clicked, this, [this, slot] {
      form_.ClearSlot(slot);
      ShowSlotCaptions();
    });
    slots_box->addWidget(put, 2 * (slot - 1), 0);
    slots_box->addWidget(clear, 2 * (slot - 1), 1);
    slots_box->addWidget(caption, 2 * (slot - 1) + 1, 0, 1, 2);
  }
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("Command2"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  // The shooting date into a line of the slot's text as photos are put in; off at first.
  date_line_ = new QComboBox(this);
  date_line_->setObjectName(QStringLiteral("shotDateLine"));
  date_line_->addItem(QStringLiteral("撮影日を記入しない"), -1);
  for (int line = 1; line < kLinesPerSlot; ++line) {
    date_line_->addItem(QStringLiteral("撮影日を%1行目に記入").arg(line), line);
  }
  date_line_->setCurrentIndex(std::max(0, date_line_->findData(LastDateLine())));
  connect(date_line_, &QComboBox::currentIndexChanged, this,
          [this] { SetLastDateLine(date_line_->currentData().toInt()); });
  auto* right = new QVBoxLayout;
  right->addLayout(slots_box);
  right->addWidget(date_line_);
  right->addStretch();
  right->addWidget(close, 0, Qt::AlignRight);
  grid->addLayout(right, 0, 2, 5, 1);

  ShowSlotCaptions();
  browser_->ShowFolder(form_.StartFolder());
}

void PhotoInsertDialog::ShowSlotCaptions() {
  for (int slot = 1; slot <= 3; ++slot) {
    slot_captions_[static_cast<size_t>(slot - 1)]->setText(
        QDir::toNativeSeparators(form_.SlotCaption(slot)));
  }
}

void PhotoInsertDialog::FileClicked(const QModelIndex& index) {
  ChoosePath(files_.FilePath(index.row()));
}

void PhotoInsertDialog::ChoosePath(const QString& path) {
  if (path.isEmpty()) return;
  form_.Choose(path);
  previewing_ = path;
  preview_->hide();
  preview_->clear();
  status_->setText(QStringLiteral("プレビュー作成中・・・"));
  status_->show();
  preview_loader_.Request(path, logicalDpiX() / 1440.0 * devicePixelRatioF());
}

void PhotoInsertDialog::PreviewReady(const QString& path, const QImage& image, QSize natural) {
  if (path != previewing_) return;
  if (image.isNull()) {
    status_->setText(QStringLiteral("このファイルはプレビューできません。\n%1")
                         .arg(QDir::toNativeSeparators(path)));
    return;
  }
  const double px_per_twip = logicalDpiX() / 1440.0;
  const QSizeF box = FitPreview(natural);
  preview_->setGeometry(1, 1, static_cast<int>(box.width() * px_per_twip),
                        static_cast<int>(box.height() * px_per_twip));
  preview_->setPixmap(QPixmap::fromImage(image));
  preview_->show();
  status_->hide();
  status_->clear();
}

void PhotoInsertDialog::Jump(int index) {
  const auto target = form_.JumpTarget(index);
  if (!target) return;
  const QString before = browser_->Folder();
  // Pressed again, it reads the card again: photos taken since show up.
  if (browser_->ShowFolder(*target) && browser_->Folder() == before) RefreshFiles();
}

void PhotoInsertDialog::ShowThumbnailsLarge(bool large) {
  // Room for three columns of thumbnails beside the tree, as far as the screen allows.
  if (!large || !screen()) return;
  const int wanted = width() - thumbnails_->width() + 3 * thumbnails_->gridSize().width() + 30;
  resize(std::min(std::max(width(), wanted), screen()->availableGeometry().width()), height());
}

void PhotoInsertDialog::RefreshFiles() {
  files_.Refresh();
  if (thumbnails_->isVisibleTo(this)) thumbnails_->SetFolder(files_.Folder());
  if (!previewing_.isEmpty()) SelectInList(previewing_);
}

void PhotoInsertDialog::SelectInList(const QString& path) {
  const int row = files_.RowOf(path);
  const QSignalBlocker block(file_list_->selectionModel());
  file_list_->setCurrentIndex(row >= 0 ? files_.index(row) : QModelIndex());
  if (thumbnails_->isVisibleTo(this)) thumbnails_->SelectPath(path);
}

QStringList PhotoInsertDialog::ChosenFiles() const {
  QStringList files;
  if (thumbnails_->isVisible()) {
    for (const QModelIndex& i : thumbnails_->selectionModel()->selectedIndexes()) {
      files << thumbnails_->Thumbnails().PathAt(i.row());
    }
  } else {
    for (const QModelIndex& i : file_list_->selectionModel()->selectedIndexes()) {
      files << files_.FilePath(i.row());
    }
  }
  return files;
}

void PhotoInsertDialog::PutIntoSlot(int slot) {
  const QString before = form_.ChosenFile();
  if (const QStringList files = ChosenFiles(); files.size() > 1) {
    QProgressDialog progress(QStringLiteral("写真を設定しています…"), QString(), 0,
                             static_cast<int>(files.size()), this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setCancelButton(nullptr);  // one change of the album: it runs through
    form_.PutManyIntoSlots(slot, files, copy_->isChecked(), LastDateLine(),
                           [&progress](int done, int) { progress.setValue(done); });
    ShowSlotCaptions();
    files_.Refresh();  // copies may land in the shown folder
    return;
  }
  if (!form_.PutIntoSlot(slot, copy_->isChecked(), LastDateLine())) return;
  ShowSlotCaptions();
  if (form_.ChosenFile() == before) return;
  // A copy may land in the shown folder; the clicked file stays selected.
  RefreshFiles();
}

}  // namespace komasu
