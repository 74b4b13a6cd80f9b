#pragma once
// A Prompter that replays scripted answers and records every text and title it was asked,
// for tests and for the headless command line. An unscripted question is answered No /
// cancelled.

#include <deque>
#include <vector>

#include "platform/prompter.h"

namespace komasu {

class ScriptedPrompter : public Prompter {
 public:
  struct Asked {
    QString kind;  // "yesno", "choice", "notify", "text", "open", "save", "folder", "font"
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::kNone;
    bool default_no = false;
    QString folder;  // file and folder choosers
    QString filter;
    QStringList buttons = {};  // choices
  };

  std::deque<bool> yes_no;
  // Answers of Yes/No/Cancel questions; when none is scripted, the next yes_no answer is taken
  // (an unscripted question is answered No).
  std::deque<std::optional<bool>> yes_no_cancel;
  // Indices of the buttons chosen; an unscripted choice takes the last button.
  std::deque<int> choices;
  std::deque<std::optional<QString>> texts;
  std::deque<QString> files;  // open, save and folder answers, in order
  std::deque<std::optional<FontChoice>> fonts;
  std::vector<Asked> asked;

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

  // Texts of all notices so far, in order.
  QStringList Notices() const;
};

}  // namespace komasu
