#include "editor/editor_controller.h"

#include <algorithm>

#include "album/album.h"

namespace komasu {

EditorController::EditorController(Album& album, QObject* parent) : QObject(parent), album_(album) {
  connect(&album_, &Album::PageCleared, this, &EditorController::ClearPanel);
  connect(&album_, &Album::PageFilled, this, &EditorController::FillPanel);
  FillPanel();
}

void EditorController::SetPanelLine(int j, const QString& text) {
  if (j < 0 || j >= kLinesPerSlot || panel_[j] == text) return;
  if (!album_.PageEditable()) return;
  panel_[j] = text;
  album_.EditPage([&](PageContent& page, PageDecor&) { page.Line(selected_slot_, j).text = text; });
  emit PanelChanged();
}

void EditorController::SelectSlot(int slot) {
  selected_slot_ = std::clamp(slot, 0, kPhotoSlots - 1);
  FillPanel();
  emit PanelChanged();
}

void EditorController::FillPanel() {
  for (int j = 0; j < kLinesPerSlot; ++j) {
    const QString& text = album_.Page().Line(selected_slot_, j).text;
    if (album_.PageEditable()) {
      SetPanelLine(j, text);
    } else {
      panel_[j] = text;  // a read-only album is shown as it is
    }
  }
}

void EditorController::ClearPanel() {
  // Emptied even on a page that cannot be edited: the panel never shows another page's lines.
  for (int j = 0; j < kLinesPerSlot; ++j) {
    if (album_.PageEditable()) {
      SetPanelLine(j, QString());
    } else if (!panel_[j].isEmpty()) {
      panel_[j].clear();
    }
  }
  SelectSlot(0);
}

}  // namespace komasu
