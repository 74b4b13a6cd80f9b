#pragma once
// The label text dialog without widgets: the text of one free label of the shown page, typed
// with the label updating live while it stands on the page, its font, and the OK, Cancel and
// close-box rules that leave the label with the new text or the one it had, freeing its slot
// when the text ends up empty. Texts use "\r\n" between lines, as album files do.

#include <QString>

#include "album/page_content.h"

namespace komasu {

class EditorController;

class LabelTextForm {
 public:
  // `label` is 1..100; a `new_label` is placed on the page after the dialog closes.
  LabelTextForm(EditorController& editor, int label, bool new_label);

  // The text the dialog opens with: the label's text (empty for a new label).
  const QString& OriginalText() const { return original_; }
  const QString& Text() const { return text_; }
  // The label's face, colour, bold and italic for the text box (its size stays 11.25 pt).
  TextStyle Appearance() const;

  // The text box changed. A text the album cannot store is refused with a message and false:
  // the box goes back to Text(). A label standing on the page follows at once.
  bool TextChanged(const QString& text);
  // "フォント": the label's font from the font chooser, applied to the label at once (Cancel
  // of the dialog does not undo it). True when the font changed.
  bool ChooseFont();
  // "ＯＫ" (true) or "Ｃａｎｃｅｌ" (false): the label keeps the typed or the original text.
  void Finish(bool ok);
  // The close box: the label keeps what it shows, a new label is dropped.
  void Close();
  bool Finished() const { return finished_; }

 private:
  bool Live() const;

  EditorController& editor_;
  int label_;
  bool new_label_;
  QString original_;
  QString text_;
  bool finished_ = false;
};

// The line breaks of the text box ("\n") as labels store them ("\r\n"), and back.
QString StoredLabelText(const QString& box_text);
QString BoxLabelText(const QString& stored_text);

}  // namespace komasu
