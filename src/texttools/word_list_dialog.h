#pragma once
// The word list dialog "ＫＯＭＡＳＵ-補助文字": ten category tabs, the words of the selected one,
// and "分類名", "追加", "削除". Words are dragged as plain text onto the slot text panel; a
// double click or Enter on a word hands it on as chosen. It only translates input into its
// WordListModel.

#include <QDialog>

#include "texttools/word_list_model.h"

class QListWidget;
class QTabBar;

namespace komasu {

class WordListDialog : public QDialog {
  Q_OBJECT

 public:
  WordListDialog(const ProgramFolder& folder, Prompter& prompter, QWidget* parent = nullptr);

  WordListModel& Model() { return model_; }

 signals:
  // A double click or Enter on a word.
  void WordChosen(const QString& word);

 protected:
  void reject() override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowModel();
  void Run(bool (WordListModel::*command)());

  WordListModel model_;
  QTabBar* tabs_ = nullptr;
  QListWidget* words_ = nullptr;
};

}  // namespace komasu
