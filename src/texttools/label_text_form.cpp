#include "texttools/label_text_form.h"

#include "album/album.h"
#include "editor/editor_controller.h"
#include "editor/label_editing.h"
#include "platform/cp932.h"
#include "platform/prompter.h"

namespace komasu {

QString StoredLabelText(const QString& box_text) {
  QString out = box_text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(u'\n', QStringLiteral("\r\n"));
  return out;
}

QString BoxLabelText(const QString& stored_text) {
  QString out = stored_text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return out;
}

LabelTextForm::LabelTextForm(EditorController& editor, int label, bool new_label)
    : editor_(editor), label_(label), new_label_(new_label) {
  original_ = editor_.Doc().Page().Label(label_).text;
  text_ = original_;
}

TextStyle LabelTextForm::Appearance() const {
  const TextStyle& label = editor_.Doc().Page().Label(label_).style;
  TextStyle box;
  box.font_name = label.font_name;
  box.size = 11.25;
  box.SetBold(label.bold);
  box.italic = label.italic;
  box.color = label.color;
  return box;
}

bool LabelTextForm::Live() const {
  // A new label is still parked off the page; it is placed only after the dialog.
  return !new_label_ && editor_.Doc().Page().Label(label_).left >= kLabelPlacedLeft;
}

bool LabelTextForm::TextChanged(const QString& text) {
  if (finished_) return true;
  const QString stored = StoredLabelText(text);
  if (!Live()) {
    // Checked now all the same, so OK never meets a text it must refuse.
    if (const QString why = UnstorableTextMessage(stored, true); !why.isEmpty()) {
      editor_.Doc().Prompts().Notify(why);
      return false;
    }
    text_ = stored;
    return true;
  }
  const bool shown = editor_.Doc().Page().Label(label_).visible || !original_.isEmpty();
  if (const QString why = SetLabelText(editor_, label_, stored, shown); !why.isEmpty()) {
    editor_.Doc().Prompts().Notify(why);
    return false;
  }
  text_ = stored;
  editor_.Mode().LabelDialogClosed();
  return true;
}

bool LabelTextForm::ChooseFont() {
  const TextStyle before = editor_.Doc().Page().Label(label_).style;
  const std::optional<FontChoice> chosen =
      editor_.Doc().Prompts().ChooseFont(LabelFontChoice(before));
  if (!chosen) return false;
  SetLabelFont(editor_, label_, *chosen);
  return editor_.Doc().Page().Label(label_).style != before;
}

void LabelTextForm::Finish(bool ok) {
  if (finished_) return;
  finished_ = true;
  editor_.Mode().LabelDialogClosed();
  const QString final_text = ok ? text_ : original_;
  SetLabelText(editor_, label_, final_text, true);
}

void LabelTextForm::Close() {
  if (finished_) return;
  finished_ = true;
  // What the label shows stays: typed text for a label on the page, nothing for a new one.
  const FreeLabel& label = editor_.Doc().Page().Label(label_);
  SetLabelText(editor_, label_, Live() ? label.text : QString(), Live());
}

}  // namespace komasu
