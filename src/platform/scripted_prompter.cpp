#include "platform/scripted_prompter.h"

#include <QStringList>

namespace komasu {

namespace {
// g++ 12 at -O2 and above wrongly warns that the copied std::optional<QString> may be used
// uninitialized, which breaks Release builds under -Werror.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
template <typename T>
T Take(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = queue.front();
  queue.pop_front();
  return value;
}
}  // namespace

bool ScriptedPrompter::AskYesNo(const QString& text, const QString& title, MessageIcon icon,
                                bool default_no) {
  asked.push_back({"yesno", text, title, icon, default_no, {}, {}});
  return Take(yes_no, false);
}

std::optional<bool> ScriptedPrompter::AskYesNoCancel(const QString& text, const QString& title,
                                                     MessageIcon icon) {
  asked.push_back({"yesno", text, title, icon, false, {}, {}});
  if (!yes_no_cancel.empty()) return Take(yes_no_cancel, std::optional<bool>());
  return Take(yes_no, false);
}

int ScriptedPrompter::Choose(const QString& text, const QString& title, MessageIcon icon,
                             const QStringList& buttons) {
  asked.push_back({"choice", text, title, icon, false, {}, {}, buttons});
  return Take(choices, static_cast<int>(buttons.size()) - 1);
}

void ScriptedPrompter::Notify(const QString& text, const QString& title, MessageIcon icon) {
  asked.push_back({"notify", text, title, icon, false, {}, {}});
}

std::optional<QString> ScriptedPrompter::AskText(const QString& prompt, const QString& title,
                                                 const QString& default_text) {
  asked.push_back({"text", prompt, title, MessageIcon::kNone, false, default_text, {}});
  return Take(texts, std::optional<QString>());
}

QString ScriptedPrompter::ChooseOpenFile(const QString& title, const QString& folder,
                                         const QString& filter) {
  asked.push_back({"open", {}, title, MessageIcon::kNone, false, folder, filter});
  return Take(files, QString());
}

QString ScriptedPrompter::ChooseSaveFile(const QString& title, const QString& folder,
                                         const QString& filter) {
  asked.push_back({"save", {}, title, MessageIcon::kNone, false, folder, filter});
  return Take(files, QString());
}

QString ScriptedPrompter::ChooseFolder(const QString& title, const QString& folder) {
  asked.push_back({"folder", {}, title, MessageIcon::kNone, false, folder, {}});
  return Take(files, QString());
}

std::optional<FontChoice> ScriptedPrompter::ChooseFont(const FontChoice& initial) {
  asked.push_back({"font", initial.name, {}, MessageIcon::kNone, false, {}, {}});
  return Take(fonts, std::optional<FontChoice>());
}

QStringList ScriptedPrompter::Notices() const {
  QStringList out;
  for (const Asked& a : asked) {
    if (a.kind == "notify") out.append(a.text);
  }
  return out;
}

}  // namespace komasu
