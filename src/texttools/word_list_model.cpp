#include "texttools/word_list_model.h"

#include "platform/prompter.h"

namespace komasu {

WordListModel::WordListModel(ProgramFolder folder, Prompter& prompter)
    : folder_(std::move(folder)), prompter_(prompter) {}

void WordListModel::Load() {
  file_ = ListIni::Read(folder_.ListIni());
  for (int k = 0; k < kWordListCategories; ++k) {
    captions_[k] = SplitWordListRecord(file_.Record(k)).value(0);
  }
  SelectTab(0);
}

void WordListModel::SelectTab(int tab) {
  if (tab < 0 || tab >= kWordListCategories) return;
  tab_ = tab;
  QStringList items = SplitWordListRecord(file_.Record(tab));
  captions_[tab] = items.value(0);
  if (!items.isEmpty()) items.removeFirst();
  words_ = items;
  selected_ = -1;
}

void WordListModel::SelectWord(int index) {
  selected_ = index >= 0 && index < words_.size() ? index : -1;
}

std::optional<QString> WordListModel::SelectedWordText() const {
  if (selected_ < 0) return std::nullopt;
  return words_.at(selected_);
}

bool WordListModel::ConfirmEmpty() {
  return prompter_.AskYesNo(QStringLiteral("空白にしますか"), QStringLiteral("確認"),
                            MessageIcon::kQuestion);
}

bool WordListModel::CheckItem(const QString& text) {
  const QString why = WordListItemMessage(text);
  if (why.isEmpty()) return true;
  prompter_.Notify(why, QString(), MessageIcon::kExclamation);
  return false;
}

bool WordListModel::Rename() {
  const QString answer = prompter_
                             .AskText(QStringLiteral("分類名を入力してください"),
                                      QStringLiteral("分類名"), captions_[tab_])
                             .value_or(QString());
  if (answer.isEmpty() ? !ConfirmEmpty() : !CheckItem(answer)) return false;
  captions_[tab_] = answer;
  return Save();
}

bool WordListModel::Add() {
  const QString answer =
      prompter_.AskText(QStringLiteral("追加項目を入力してください"), QStringLiteral("リスト"), {})
          .value_or(QString());
  if (answer.isEmpty() ? !ConfirmEmpty() : !CheckItem(answer)) return false;
  if (!answer.isEmpty()) words_.append(answer);
  return Save();
}

bool WordListModel::Delete() {
  if (words_.isEmpty()) return false;
  if (selected_ >= 0) {
    words_.removeAt(selected_);
    selected_ = -1;
  }
  return Save();
}

bool WordListModel::Save() {
  file_.SetRecord(tab_, JoinWordListRecord(captions_[tab_], words_));
  const WriteResult result = file_.Write(folder_.ListIni());
  if (!result.ok) prompter_.Notify(result.error, QString(), MessageIcon::kExclamation);
  return result.ok;
}

}  // namespace komasu
