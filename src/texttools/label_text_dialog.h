#pragma once
// The label text dialog "ＫＯＭＡＳＵ-ラベル入力": a large text box in the label's face, colour and
// style at 11.25 pt, "フォント", "ＯＫ" and "Ｃａｎｃｅｌ". It only translates input into its
// LabelTextForm.

#include <QDialog>

#include "editor/label_text_entry.h"
#include "texttools/label_text_form.h"

class QPlainTextEdit;

namespace komasu {

class Prompter;

class LabelTextDialog : public QDialog {
  Q_OBJECT

 public:
  LabelTextDialog(EditorController& editor, int label, bool new_label, Prompter& prompter,
                  QWidget* parent = nullptr);

  LabelTextForm& Form() { return form_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void ShowAppearance();
  void OnTextChanged();

  LabelTextForm form_;
  QPlainTextEdit* text_ = nullptr;
  bool restoring_ = false;
};

// Runs the dialog modally over `parent`.
class LabelTextDialogEntry : public LabelTextEntry {
 public:
  LabelTextDialogEntry(Prompter& prompter, QWidget* parent)
      : prompter_(prompter), parent_(parent) {}
  void EditLabelText(EditorController& editor, int label, bool new_label) override;

 private:
  Prompter& prompter_;
  QWidget* parent_;
};

}  // namespace komasu
