#include "texttools/word_list_model.h"

#include "platform/prompter.h"

namespace komasu {

WordListModel::WordListModel(ProgramFolder folder, Prompter& prompter)
    : folder_(std::move(folder)), prompter_(prompter) {}

void WordListModel::Load() {
  file_ = ListIni::Read(folder_.ListIni());
  if (!file_.ReadError().isEmpty()) {
    prompter_.Notify(file_.ReadError() + QStringLiteral("\n補助文字の変更は保存されません。"),
                     QString(), MessageIcon::kExclamation);
  }
  for (int k = 0; k < kWordListCategories; ++k) {
    captions_[k] = SplitWordListRecord(file_.Record(k)).value(0);
  }
  SelectTab(0);
}

bool WordListModel::Refresh() {
  if (!file_.ChangedOnDisk(folder_.ListIni())) return false;
  const int tab = tab_;
  const int selected = selected_;
  const std::optional<QString> word = SelectedWordText();
  Load();
  SelectTab(tab);
  if (word && words_.value(selected) == *word) selected_ = selected;
  return true;
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
  Refresh();
  const QString answer = prompter_
                             .AskText(QStringLiteral("分類名を入力してください"),
                                      QStringLiteral("分類名"), captions_[tab_])
                             .value_or(QString());
  if (answer.isEmpty() ? !ConfirmEmpty() : !CheckItem(answer)) return false;
  captions_[tab_] = answer;
  return Save();
}

bool WordListModel::Add() {
  Refresh();
  const QString answer =
      prompter_.AskText(QStringLiteral("追加項目を入力してください"), QStringLiteral("リスト"), {})
          .value_or(QString());
  if (answer.isEmpty() ? !ConfirmEmpty() : !CheckItem(answer)) return false;
  if (!answer.isEmpty()) words_.append(answer);
  return Save();
}

bool WordListModel::Delete() {
  Refresh();
  if (words_.isEmpty()) return false;
  if (selected_ >= 0) {
    words_.removeAt(selected_);
    selected_ = -1;
  }
  return Save();
}

bool WordListModel::Save() {
  const auto refuse = [this](const QString& why) {
    prompter_.Notify(why, QString(), MessageIcon::kExclamation);
    return false;
  };
  if (!file_.ReadError().isEmpty()) {
    return refuse(file_.ReadError() + QStringLiteral("\n補助文字の変更は保存されません。"));
  }
  if (Refresh()) {
    return refuse(
        QStringLiteral("補助文字のファイルがほかで書き換えられたため、保存しませんでした。"
                       "書き換え後の内容を表示します。"));
  }
  file_.SetRecord(tab_, JoinWordListRecord(captions_[tab_], words_));
  const WriteResult result = file_.Write(folder_.ListIni());
  if (!result.ok) return refuse(result.error);
  return true;
}

void WordListModel::Close() {
  if (file_.ReadError().isEmpty() && !Refresh()) Save();
}

}  // namespace komasu
