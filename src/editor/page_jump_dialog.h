#pragma once
// The modal page jump dialog `jamp` ("ページジャンプ"): one entry for the page number and
// the button "Ｏ Ｋ", which closes it whatever was typed.

#include <QDialog>
#include <optional>

class QLineEdit;

namespace komasu {

class Album;

class PageJumpDialog : public QDialog {
  Q_OBJECT

 public:
  PageJumpDialog(int page_count, QWidget* parent = nullptr);

  // The page to show after "Ｏ Ｋ"; nullopt when the entry was no page of the album.
  std::optional<int> Target() const { return target_; }

  // Runs the dialog and moves the album to the chosen page (writing the shown page back).
  static void Run(Album& album, QWidget* parent);

 private:
  int page_count_;
  QLineEdit* entry_ = nullptr;
  std::optional<int> target_;
};

}  // namespace komasu
