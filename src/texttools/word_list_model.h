#pragma once
// What the word list dialog "ＫＯＭＡＳＵ-補助文字" holds and does, without widgets: the ten
// category records of list.ini, the selected tab with its caption and words, the selected word,
// and the commands rename, add and delete, each of which saves list.ini at once. list.ini may
// be replaced while the dialog is open (a settings migration): every command first takes up
// what the file holds now, and a stale copy is never written over it.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "platform/program_folder.h"
#include "texttools/list_ini.h"

namespace komasu {

class Prompter;

class WordListModel {
 public:
  WordListModel(ProgramFolder folder, Prompter& prompter);

  // Reads list.ini and shows the first tab. A file that cannot be read is reported, shows no
  // words and is never written over.
  void Load();
  // Reads list.ini again when it changed on disk since it was read or saved, keeping the
  // selected tab, and the selected word where it still stands. True when it did.
  bool Refresh();

  int SelectedTab() const { return tab_; }
  // Shows the words of tab `tab` (0..9); other tabs' records stay as read.
  void SelectTab(int tab);
  const QString& TabCaption(int tab) const { return captions_.at(tab); }
  const QStringList& Words() const { return words_; }

  // -1 when no word is selected.
  int SelectedWord() const { return selected_; }
  void SelectWord(int index);
  // What a drop on a slot text line takes: the selected word, nullopt when none.
  std::optional<QString> SelectedWordText() const;

  // "分類名": asks for the new name of the selected category. False when nothing changed.
  bool Rename();
  // "追加": asks for a word and appends it. False when nothing was saved.
  bool Add();
  // "削除": removes the selected word without asking. False when the list was empty.
  bool Delete();
  // Rebuilds the selected tab's record and rewrites list.ini; false (the user was told) when
  // the file could not be written, or changed on disk meanwhile and was read again instead.
  bool Save();
  // Closing the dialog: saves once more, unless list.ini changed on disk meanwhile.
  void Close();

 private:
  // The empty answer of an input box is taken only after "空白にしますか" was answered Yes.
  bool ConfirmEmpty();
  // False (the user was told) when `text` cannot be stored in list.ini.
  bool CheckItem(const QString& text);

  ProgramFolder folder_;
  Prompter& prompter_;
  ListIni file_;
  std::array<QString, kWordListCategories> captions_;
  int tab_ = 0;
  QStringList words_;
  int selected_ = -1;
};

}  // namespace komasu
