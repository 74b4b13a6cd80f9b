#pragma once
// The copy tool "ＫＯＭＡＳＵ-コピーツール": arrows for the chosen line, 単語 / 項目, and
// "表示ページにコピー", "各ページにコピー", "キャンセル". While it is open the slot text panel's
// number field is disabled and the lines to copy are painted yellow; closing it in any way
// restores them. It only translates input into its CopyToolState and the copy operations.

#include <QColor>
#include <QDialog>
#include <array>

#include "texttools/copy_tool.h"

class QLineEdit;
class QRadioButton;
class QToolButton;

namespace komasu {

class CopyToolDialog : public QDialog {
  Q_OBJECT

 public:
  // `fields` are the panel's line fields Text4(0..8).
  CopyToolDialog(EditorController& editor, const std::array<QLineEdit*, 9>& fields,
                 QWidget* parent = nullptr);
  ~CopyToolDialog() override;

  const CopyToolState& State() const { return state_; }

 protected:
  void done(int result) override;

 private:
  void ShowState();
  void CopyToShownPage();
  void CopyToEveryPage();
  void RestoreFields();

  EditorController& editor_;
  std::array<QLineEdit*, 9> fields_;
  std::array<QColor, 9> original_base_;
  bool restored_ = false;
  CopyToolState state_;
  std::array<QToolButton*, 2> arrows_{};
  std::array<QRadioButton*, 2> modes_{};
};

}  // namespace komasu
