#include "photos/drive_settings_dialog.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "photos/folder_browser.h"

namespace komasu {

DriveSettingsDialog::DriveSettingsDialog(ProgramFolder folder, Prompter& prompter, QWidget* parent)
    : QDialog(parent), form_(std::move(folder)), prompter_(prompter) {
  setObjectName(QStringLiteral("option2"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-ドライブ設定"));
  form_.Load();

  auto* grid = new QGridLayout(this);
  const char* headings[] = {"デジタルカメラドライブ", "データフォルダドライブ",
                            "ファイル保存ドライブ"};
  for (int i = 0; i < 3; ++i) {
    auto* heading = new QLabel(QString::fromUtf8(headings[i]), this);
    heading->setObjectName(QStringLiteral("Label2(%1)").arg(i));
    if (i == 0) {
      heading->setToolTip(
          QStringLiteral("デジタルカメラのドライブを設定します。デジタルカメラの"
                         "データは保存時にデータフォルダにコピーされます。"));
    }
    auto* field = new QLineEdit(form_.Field(i), this);
    field->setObjectName(QStringLiteral("Text1(%1)").arg(i));
    field->setMinimumWidth(320);
    connect(field, &QLineEdit::textEdited, this,
            [this, i](const QString& t) { form_.SetField(i, t); });
    auto* take = new QPushButton(QStringLiteral("設定"), this);
    take->setObjectName(QStringLiteral("Command1(%1)").arg(i));
    connect(take, &QPushButton::clicked, this, [this, i, field] {
      const QString folder = QDir::toNativeSeparators(browser_->Folder());
      field->setText(folder);
      form_.SetField(i, folder);
    });
    fields_[static_cast<size_t>(i)] = field;
    grid->addWidget(heading, 2 * i, 0, 1, 2);
    grid->addWidget(field, 2 * i + 1, 0);
    grid->addWidget(take, 2 * i + 1, 1);
  }
  auto* note0 =
      new QLabel(QStringLiteral("※ネットワークドライブの場合は直接入力してください。"), this);
  note0->setObjectName(QStringLiteral("Label1(0)"));
  auto* note1 = new QLabel(QStringLiteral("例 ： \\\\ネットワーク名\\ドライブ名"), this);
  note1->setObjectName(QStringLiteral("Label1(1)"));
  grid->addWidget(note0, 6, 0, 1, 2);
  grid->addWidget(note1, 7, 0, 1, 2);

  browser_ = new FolderBrowser(prompter_, this);
  browser_->setMinimumSize(280, 300);
  browser_->ShowFolder(QDir::currentPath());
  grid->addWidget(browser_, 0, 2, 9, 1);

  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(QStringLiteral("設定保存"), this);
  save->setObjectName(QStringLiteral("Command2(1)"));
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("Command2(0)"));
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 9, 0, 1, 3);
  connect(save, &QPushButton::clicked, this, [this] {
    if (form_.Save(prompter_)) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace komasu
