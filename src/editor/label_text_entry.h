#pragma once
// How label editing asks for a label's text: the GUI runs the label text dialog modally, tests
// script what the user types.

namespace komasu {

class EditorController;

class LabelTextEntry {
 public:
  virtual ~LabelTextEntry() = default;
  // Edits the text of label `label` (1..100) of the shown page and returns when the user is
  // done. A `new_label` is not on the page yet: it is placed after this returns.
  virtual void EditLabelText(EditorController& editor, int label, bool new_label) = 0;
};

}  // namespace komasu
