#include "texttools/copy_tool_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "album/album.h"
#include "editor/editor_controller.h"
#include "editor/work_progress.h"

namespace komasu {

namespace {

void PaintBase(QLineEdit* field, const QColor& color) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, color);
  field->setPalette(palette);
}

}  // namespace

CopyToolDialog::CopyToolDialog(EditorController& editor, const std::array<QLineEdit*, 9>& fields,
                               QWidget* parent)
    : QDialog(parent), editor_(editor), fields_(fields) {
  setObjectName(QStringLiteral("copytool"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-コピーツール"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  auto* arrows = new QVBoxLayout;
  const Qt::ArrowType kinds[2] = {Qt::UpArrow, Qt::DownArrow};
  for (int i = 0; i < 2; ++i) {
    arrows_[i] = new QToolButton(this);
    arrows_[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
    arrows_[i]->setArrowType(kinds[i]);
    arrows_[i]->setToolTip(i == 0 ? QStringLiteral("上の行") : QStringLiteral("下の行"));
    arrows->addWidget(arrows_[i]);
  }
  connect(arrows_[0], &QToolButton::clicked, this, [this] {
    state_.MoveUp();
    ShowState();
  });
  connect(arrows_[1], &QToolButton::clicked, this, [this] {
    state_.MoveDown();
    ShowState();
  });
  top->addLayout(arrows);

  auto* mode_box = new QGroupBox(this);
  auto* mode_layout = new QVBoxLayout(mode_box);
  const char* captions[2] = {"単語", "項目"};
  for (int i = 0; i < 2; ++i) {
    modes_[i] = new QRadioButton(QString::fromUtf8(captions[i]), mode_box);
    modes_[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
    mode_layout->addWidget(modes_[i]);
    connect(modes_[i], &QRadioButton::clicked, this, [this, i] {
      state_.SetMode(i == 0 ? CopyMode::kWord : CopyMode::kItem);
      ShowState();
    });
  }
  top->addWidget(mode_box, 1);
  layout->addLayout(top);

  auto* buttons = new QGridLayout;
  auto* shown = new QPushButton(QStringLiteral("表示ページにコピー"), this);
  shown->setObjectName(QStringLiteral("Command2"));
  auto* every = new QPushButton(QStringLiteral("各ページにコピー"), this);
  every->setObjectName(QStringLiteral("Command3"));
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("Command4"));
  for (QPushButton* b : {shown, every, cancel}) b->setAutoDefault(false);
  buttons->addWidget(shown, 0, 0);
  buttons->addWidget(every, 0, 1);
  buttons->addWidget(cancel, 1, 1);
  layout->addLayout(buttons);
  connect(shown, &QPushButton::clicked, this, &CopyToolDialog::CopyToShownPage);
  connect(every, &QPushButton::clicked, this, &CopyToolDialog::CopyToEveryPage);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  for (int j = 0; j < 9; ++j) {
    if (fields_[j]) original_base_[j] = fields_[j]->palette().color(QPalette::Base);
  }
  if (fields_[0]) fields_[0]->setEnabled(false);
  ShowState();
}

CopyToolDialog::~CopyToolDialog() { RestoreFields(); }

void CopyToolDialog::ShowState() {
  modes_[state_.Mode() == CopyMode::kWord ? 0 : 1]->setChecked(true);
  for (QToolButton* arrow : arrows_) arrow->setEnabled(state_.ArrowsEnabled());
  for (int j = 1; j < 9; ++j) {
    if (fields_[j]) PaintBase(fields_[j], state_.LineColor(j));
  }
}

void CopyToolDialog::CopyToShownPage() { CopyLinesToShownPage(editor_, state_.LinesToCopy()); }

void CopyToolDialog::CopyToEveryPage() {
  WorkProgress progress(this, QStringLiteral("各ページにコピーしています…"),
                        editor_.Doc().TimeSource());
  CopyLinesToEveryPage(editor_, state_.LinesToCopy(), progress.Callback());
}

void CopyToolDialog::done(int result) {
  RestoreFields();
  QDialog::done(result);
}

void CopyToolDialog::RestoreFields() {
  if (restored_) return;
  restored_ = true;
  for (int j = 0; j < 9; ++j) {
    if (fields_[j]) PaintBase(fields_[j], original_base_[j]);
  }
  if (fields_[0]) fields_[0]->setEnabled(true);
}

}  // namespace komasu
