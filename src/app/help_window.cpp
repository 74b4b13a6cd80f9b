#include "app/help_window.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/text_file.h"

// The built-in help lives in the core library's resources.
static void InitHelpResource() { Q_INIT_RESOURCE(resources); }

namespace komasu {

namespace {

constexpr qint64 kMaxHelpBytes = 1024 * 1024;

QString BuiltInHelp() {
  InitHelpResource();
  QFile help(QStringLiteral(":/komasu/help.txt"));
  return help.open(QIODevice::ReadOnly) ? QString::fromUtf8(help.readAll()) : QString();
}

}  // namespace

HelpWindow::HelpWindow(const QString& help_txt, QWidget* parent)
    : QDialog(parent), help_txt_(help_txt), text_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("help"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-ヘルプ"));
  text_->setObjectName(QStringLiteral("helpText"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QFont font(DisplayFamilyFor(QStringLiteral("ＭＳ Ｐゴシック")));
  font.setPointSizeF(10.5);
  text_->setFont(font);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("close"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addWidget(buttons);
  resize(640, 520);
  Reload();
}

void HelpWindow::Reload() {
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(help_txt_, &ok, kMaxHelpBytes);
  const QString text = ok && !bytes.isEmpty() ? DecodeCp932(bytes) : BuiltInHelp();
  text_->setPlainText(SplitLines(text).join(u'\n'));
}

QString HelpWindow::Text() const { return text_->toPlainText(); }

}  // namespace komasu
