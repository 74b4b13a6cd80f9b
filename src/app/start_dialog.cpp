#include "app/start_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/prompter.h"

namespace komasu {

QString VersionText() {
  return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
      .arg(KOMASU_VERSION_MAJOR)
      .arg(KOMASU_VERSION_MINOR)
      .arg(KOMASU_VERSION_PATCH);
}

StartDialog::StartDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("openLOD"));
  setWindowTitle(ApplicationTitle());
  setModal(true);

  auto* title = new QLabel(ApplicationTitle(), this);
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 2.2);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignCenter);

  auto* version = new QLabel(VersionText(), this);
  version->setObjectName(QStringLiteral("Label1"));
  version->setAlignment(Qt::AlignCenter);

  auto make_button = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                            Choice choice) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(text);
    b->setIcon(style()->standardIcon(icon));
    b->setIconSize(QSize(48, 48));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumSize(150, 110);
    connect(b, &QToolButton::clicked, this, [this, choice] {
      choice_ = choice;
      accept();
    });
    return b;
  };
  auto* new_button = make_button(QStringLiteral("Command1"), QStringLiteral("新規アルバム"),
                                 QStyle::SP_FileIcon, Choice::kNewAlbum);
  auto* open_button = make_button(QStringLiteral("Command2"), QStringLiteral("アルバムを開く"),
                                  QStyle::SP_DialogOpenButton, Choice::kOpenAlbum);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new_button);
  buttons->addWidget(open_button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addLayout(buttons);
  layout->addWidget(version);
  new_button->setFocus();
}

void StartDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QToolButton*>(focusWidget())) {
      button->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace komasu
