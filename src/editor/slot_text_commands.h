#pragma once
// The commands of the slot text panel on the open album: clearing the panel's nine lines,
// pasting them into every slot of the shown page or of every page, numbering every slot of the
// album serially, and appending a dropped word. The album-wide commands are one album-wide
// change each, walking the pages once, so the album file is rewritten once at the end.

#include <QColor>
#include <QString>
#include <functional>
#include <optional>

#include "commands/page_walk.h"

namespace komasu {

class EditorController;


// "ALLクリア": after confirmation, empties the nine panel lines and so the selected slot's
// lines of the shown page. True when the user said Yes.
bool ClearSlotTexts(EditorController& editor);

// "ページ全体に貼付": after confirmation, the panel's nine lines go into all three slots of the
// shown page, number line included, and the album is marked modified.
bool PasteIntoPage(EditorController& editor);

// "アルバム全体に貼付": after confirmation, the panel's nine lines go into every slot of every
// page; the page shown before is shown again. False when nothing was done or the album file
// could not be written (the user was told).
bool PasteIntoAlbum(EditorController& editor, const ProgressCallback& progress = {});

// 編集 → 連番: asks for the first number and numbers the three slots of every page in turn; the
// first slot gets the answer as typed (full-width digits included), all later ones plain decimal
// numbers. False when the answer was not a number, nothing was done, or the file could not be
// written.
bool NumberSlotsSerially(EditorController& editor, const ProgressCallback& progress = {});

// A word dropped on panel line `line`: appended to the line's text without a separator. No
// word (nothing selected in the word list) changes nothing; a word the album cannot store is
// refused with a message.
bool DropWord(EditorController& editor, int line, const std::optional<QString>& word);

// The colour of slot 0 (上), 1 (中) or 2 (下): the panel background and the marker bar.
QColor SlotColor(int slot);

// A computed serial number as text: plain decimal, at most 15 significant digits.
QString SerialNumberText(double value);

}  // namespace komasu
