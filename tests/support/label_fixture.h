#pragma once
// Label editing without widgets: a deterministic text measure and a label text entry that
// types a scripted text into the dialog's form.

#include <QSizeF>

#include "editor/label_text_entry.h"
#include "editor/text_measure.h"
#include "texttools/label_text_form.h"

namespace komasu::test {

// 100 twips per character and 200 per line at 10 pt, in proportion to the size.
class FixedTextMeasure : public TextMeasure {
 public:
  QSizeF TextSize(const TextStyle& style, const QString& text) const override {
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    qsizetype longest = 0;
    for (const QString& l : lines) longest = std::max(longest, l.size());
    const double scale = style.size / 10.0;
    return QSizeF(100.0 * static_cast<double>(longest) * scale,
                  200.0 * static_cast<double>(lines.size()) * scale);
  }
};

// Types `text` (line breaks as "\n") and presses OK, or Cancel when `ok` is false.
class ScriptedTextEntry : public LabelTextEntry {
 public:
  QString text;
  bool ok = true;
  int calls = 0;
  void EditLabelText(EditorController& editor, int label, bool new_label) override {
    ++calls;
    LabelTextForm form(editor, label, new_label);
    form.TextChanged(text);
    form.Finish(ok);
  }
};

}  // namespace komasu::test
