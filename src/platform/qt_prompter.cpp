#include "platform/qt_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/fonts.h"
#include "platform/stored_color.h"

namespace komasu {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kExclamation:
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kStop:
      return QMessageBox::Critical;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

QString TitleOrApp(const QString& title) { return title.isEmpty() ? ApplicationTitle() : title; }

int32_t ToRgb(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

}  // namespace

bool QtPrompter::AskYesNo(const QString& text, const QString& title, MessageIcon icon,
                          bool default_no) {
  QMessageBox box(ToQt(icon), TitleOrApp(title), text, QMessageBox::Yes | QMessageBox::No, parent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  box.setDefaultButton(default_no ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<bool> QtPrompter::AskYesNoCancel(const QString& text, const QString& title,
                                               MessageIcon icon) {
  QMessageBox box(ToQt(icon), TitleOrApp(title), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = box.exec();
  if (answer == QMessageBox::Yes) return true;
  if (answer == QMessageBox::No) return false;
  return std::nullopt;
}

int QtPrompter::Choose(const QString& text, const QString& title, MessageIcon icon,
                       const QStringList& buttons) {
  QMessageBox box(ToQt(icon), TitleOrApp(title), text, QMessageBox::NoButton, parent_);
  QList<QAbstractButton*> added;
  for (const QString& caption : buttons) {
    added.append(box.addButton(caption, added.size() + 1 == buttons.size()
                                            ? QMessageBox::RejectRole
                                            : QMessageBox::AcceptRole));
  }
  if (added.isEmpty()) return -1;
  box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
  box.setEscapeButton(added.last());
  box.exec();
  const qsizetype chosen = added.indexOf(box.clickedButton());
  return static_cast<int>(chosen >= 0 ? chosen : added.size() - 1);
}

void QtPrompter::Notify(const QString& text, const QString& title, MessageIcon icon) {
  QMessageBox box(ToQt(icon), TitleOrApp(title), text, QMessageBox::Ok, parent_);
  box.exec();
}

std::optional<QString> QtPrompter::AskText(const QString& prompt, const QString& title,
                                           const QString& default_text) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(TitleOrApp(title));
  dialog.setLabelText(prompt);
  dialog.setTextValue(default_text);
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

QString QtPrompter::ChooseOpenFile(const QString& title, const QString& folder,
                                   const QString& filter) {
  return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QString QtPrompter::ChooseSaveFile(const QString& title, const QString& folder,
                                   const QString& filter) {
  // The callers ask their own overwrite question.
  return QFileDialog::getSaveFileName(parent_, title, folder, filter, nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

QString QtPrompter::ChooseFolder(const QString& title, const QString& folder) {
  return QFileDialog::getExistingDirectory(parent_, title, folder);
}

std::optional<FontChoice> QtPrompter::ChooseFont(const FontChoice& initial) {
  QFontDialog dialog(parent_);
  dialog.setWindowTitle(QStringLiteral("フォント"));
  dialog.setCurrentFont(ChooserFont(initial));
  const QFont opened = dialog.currentFont();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  FontChoice out = ChoiceFromChooser(initial, opened, dialog.selectedFont());
  // Qt's font dialog has no colour; the colour chooser follows it.
  const QColor color =
      QColorDialog::getColor(ColorFromCode(initial.color), parent_, QStringLiteral("文字の色"));
  if (color.isValid()) out.color = ToRgb(color);
  return out;
}

}  // namespace komasu
