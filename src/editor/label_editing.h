#pragma once
// The free-label commands of the page editor on the EditorController and its Album: label
// input and placement, selection, the drag with its grab-point drop rule, the position fields,
// font and size, clearing and the text changes the label text dialog makes. Every change of a
// label goes through AlbumCommands and marks the album modified; a label's box follows its
// text and font through the controller's TextMeasure.

#include <QPointF>
#include <QString>

#include "album/page_content.h"
#include "platform/prompter.h"

namespace komasu {

class EditorController;

// The canvas overlay's size in twips: a dropped label's box must stay inside it.
inline constexpr float kOverlayWidth = 5520;
inline constexpr float kOverlayHeight = 7815;
// A label left of this edge is not yet on the page (a new label is parked at 4680).
inline constexpr float kLabelPlacedLeft = 6240;

// Page millimetres of a label's left or top edge as the position fields show them: whole
// numbers, rounded half away from zero.
QString MillimetreTextX(float left);
QString MillimetreTextY(float top);

// "ラベル入力": chooses the first free label (1..19) and waits for the canvas press that places
// it. A page whose 19 stored labels are all in use refuses with a message, since a 20th label
// would not be stored. False when no label input started.
bool StartLabelInput(EditorController& editor);
// The canvas press after "ラベル入力": the label text dialog runs for the new label, which
// then gets its top left corner at the press point (overlay coordinates). An empty text leaves
// the slot free.
void PlaceNewLabelAt(EditorController& editor, QPointF press);

// The labels of the shown page take the boxes their texts take (a page read from a file holds
// the sizes another screen measured, or none); the album stays as modified as it was.
void FitLabelsToText(EditorController& editor);

// The topmost label with text whose box holds `twips` (window twips); 0 when none.
int LabelAt(const PageContent& page, QPointF twips);

// A press on label `index` at `in_label` (twips from its top left corner). The right button
// clears the label after asking; any other selects it and starts its drag (the label hides
// until it is dropped).
void PressLabel(EditorController& editor, int index, bool right_button, QPointF in_label);
// The dragged label dropped on the canvas overlay at `point`: it moves so that its grab point
// lands on `point`, unless its box would leave the canvas; then it shows where it was.
void DropSelectedLabel(EditorController& editor, QPointF point);
// The dragged label released anywhere but on the canvas overlay: it shows where it was.
void CancelLabelDrag(EditorController& editor);

// Enter in position field `index` (0 Ｘ, 1 Ｙ): a field holding no number or one outside
// 10..297 is emptied; otherwise the selected label moves to both fields' positions (a field
// without a valid number leaves its coordinate). True when the label moved.
bool ApplyTypedPosition(EditorController& editor, int index);

// "フォント": the selected label's font from the font chooser.
void ChooseLabelFont(EditorController& editor);
// "拡　大" (+1) and "縮　小" (-1): the selected label's font size by one point, not below 1.
void ResizeSelectedLabel(EditorController& editor, int step);
// Right-button press or 編集 → "クリア": after asking, the pressed label returns to its empty
// defaults and the album file is written at once. False when the user did not say Yes.
bool ClearLabel(EditorController& editor);
// A double click on label `index`: the label text dialog for it.
void EditLabelText(EditorController& editor, int index);

// --- what the label text dialog changes ---
// Sets the text of label `index`; `show` decides its visibility (an empty text never shows).
// Nothing changes when the text is the same. An unstorable text is refused: the message is
// returned and the label keeps its text.
QString SetLabelText(EditorController& editor, int index, const QString& text, bool show);
// The label's font as the font chooser edits it, and back (name, size, strikethrough, bold,
// italic and colour; underline stays).
FontChoice LabelFontChoice(const TextStyle& style);
void SetLabelFont(EditorController& editor, int index, const FontChoice& font);

}  // namespace komasu
