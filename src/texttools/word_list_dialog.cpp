#include "texttools/word_list_dialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace komasu {

namespace {

// Drags carry the word as plain text, so any text field (and other programs) can take it.
class WordListView : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QStringList mimeTypes() const override { return {QStringLiteral("text/plain")}; }
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
    if (items.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setText(items.first()->text());
    return data;
  }
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
};

}  // namespace

WordListDialog::WordListDialog(const ProgramFolder& folder, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(folder, prompter) {
  setObjectName(QStringLiteral("ward"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-補助文字"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabStrip1"));
  tabs_->setExpanding(false);
  tabs_->setUsesScrollButtons(true);
  for (int k = 0; k < kWordListCategories; ++k) tabs_->addTab(QString());
  layout->addWidget(tabs_);

  words_ = new WordListView(this);
  words_->setObjectName(QStringLiteral("ListView1"));
  words_->setSelectionMode(QAbstractItemView::SingleSelection);
  words_->setDragEnabled(true);
  words_->setDragDropMode(QAbstractItemView::DragOnly);
  words_->setDefaultDropAction(Qt::CopyAction);
  layout->addWidget(words_, 1);

  auto* buttons = new QHBoxLayout;
  const struct {
    const char* name;
    const char* caption;
    bool (WordListModel::*command)();
  } commands[] = {{"Command1", "分類名", &WordListModel::Rename},
                  {"Command2", "追加", &WordListModel::Add},
                  {"Command3", "削除", &WordListModel::Delete}};
  for (const auto& c : commands) {
    auto* button = new QPushButton(QString::fromUtf8(c.caption), this);
    button->setObjectName(QString::fromUtf8(c.name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command = c.command] { Run(command); });
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
    model_.SelectTab(tab);
    ShowModel();
  });
  connect(words_, &QListWidget::currentRowChanged, this,
          [this](int row) { model_.SelectWord(row); });
  connect(words_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit WordChosen(item->text()); });

  model_.Load();
  ShowModel();
  resize(320, 420);
}

void WordListDialog::ShowModel() {
  const QSignalBlocker block_tabs(tabs_);
  const QSignalBlocker block_words(words_);
  for (int k = 0; k < kWordListCategories; ++k) tabs_->setTabText(k, model_.TabCaption(k));
  tabs_->setCurrentIndex(model_.SelectedTab());
  words_->clear();
  words_->addItems(model_.Words());
  words_->setCurrentRow(model_.SelectedWord());
}

void WordListDialog::Run(bool (WordListModel::*command)()) {
  (model_.*command)();
  ShowModel();
}

// The close box and Escape both end here: closing saves once more.
void WordListDialog::reject() {
  model_.Close();
  QDialog::reject();
}

// Coming back to the dialog (after a settings migration, say) shows what list.ini holds now.
void WordListDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && model_.Refresh()) {
    ShowModel();
  }
}

}  // namespace komasu
