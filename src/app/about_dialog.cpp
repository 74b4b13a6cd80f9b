#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include "app/start_dialog.h"
#include "platform/prompter.h"

namespace komasu {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  auto* name = new QLabel(ApplicationTitle(), this);
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  name->setFont(big);
  auto* version = new QLabel(VersionText(), this);
  version->setObjectName(QStringLiteral("lblVersion"));

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("cmdOK"));
  QPushButton* info =
      buttons->addButton(QStringLiteral("システム情報(&S)..."), QDialogButtonBox::ActionRole);
  info->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(info, &QPushButton::clicked, this, [this] {
    QMessageBox::information(
        this, QStringLiteral("システム情報"),
        QStringLiteral("OS: %1\nCPU: %2\nQt: %3")
            .arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture(), qVersion()));
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(version);
  layout->addWidget(buttons);
}

}  // namespace komasu
