#include "editor/page_jump_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "album/album.h"
#include "editor/page_jump.h"

namespace komasu {

PageJumpDialog::PageJumpDialog(int page_count, QWidget* parent)
    : QDialog(parent), page_count_(page_count) {
  setObjectName(QStringLiteral("jamp"));
  setWindowTitle(QStringLiteral("ページジャンプ"));
  setModal(true);
  auto* row = new QHBoxLayout(this);
  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("Text1"));
  entry_->setAlignment(Qt::AlignRight);
  entry_->setMaximumWidth(80);
  row->addWidget(entry_);
  row->addWidget(new QLabel(QStringLiteral("ページ"), this));
  auto* ok = new QPushButton(QStringLiteral("Ｏ Ｋ"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  row->addWidget(ok);
  connect(ok, &QPushButton::clicked, this, [this] {
    target_ = JumpTarget(entry_->text(), page_count_);
    accept();
  });
}

void PageJumpDialog::Run(Album& album, QWidget* parent) {
  PageJumpDialog dialog(album.PageCount(), parent);
  dialog.exec();
  if (const auto page = dialog.Target()) album.JumpToPage(*page);
}

}  // namespace komasu
