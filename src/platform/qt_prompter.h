#pragma once
// The Prompter of the desktop: Qt message boxes, input boxes and file, folder and font
// choosers, parented to the main window.

#include <QPointer>
#include <QWidget>

#include "platform/prompter.h"

namespace komasu {

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool AskYesNo(const QString& text, const QString& title, MessageIcon icon,
                bool default_no) override;
  std::optional<bool> AskYesNoCancel(const QString& text, const QString& title,
                                     MessageIcon icon) override;
  int Choose(const QString& text, const QString& title, MessageIcon icon,
             const QStringList& buttons) override;
  void Notify(const QString& text, const QString& title, MessageIcon icon) override;
  std::optional<QString> AskText(const QString& prompt, const QString& title,
                                 const QString& default_text) override;
  QString ChooseOpenFile(const QString& title, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(const QString& title, const QString& folder,
                         const QString& filter) override;
  QString ChooseFolder(const QString& title, const QString& folder) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace komasu
