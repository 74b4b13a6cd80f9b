#include "editor/editor_controller.h"

#include <algorithm>

#include "album/album.h"
#include "editor/label_editing.h"
#include "editor/line_editing.h"

namespace komasu {

EditorController::EditorController(AlbumCommands& commands, QObject* parent)
    : QObject(parent), commands_(commands), album_(commands.Doc()) {
  connect(&album_, &Album::PageCleared, this, &EditorController::ClearPanel);
  connect(&album_, &Album::PageFilled, this, &EditorController::FillPanel);
  connect(&album_, &Album::PageCleared, this, &EditorController::ForgetPressedLabel);
  connect(&album_, &Album::PageShown, this, &EditorController::ForgetPressedLabel);
  connect(&album_, &Album::PageFilled, this, [this] { FitLabelsToText(*this); });
  mode_.SetHandler(this);
  FillPanel();
}

void EditorController::SetPanelLine(int j, const QString& text) {
  if (j < 0 || j >= kLinesPerSlot || panel_[j] == text) return;
  if (!album_.PageEditable()) return;
  panel_[j] = text;
  commands_.SetSlotLine(selected_slot_, j, text);
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

// ---------------------------------------------------------------- free labels

void EditorController::SetPositionText(int index, const QString& text) {
  QString& field = position_text_.at(index);
  if (field == text) return;
  field = text;
  emit PositionFieldsChanged();
}

void EditorController::SetTextMeasure(const TextMeasure* measure) {
  text_measure_ = measure;
  FitLabelsToText(*this);
}

void EditorController::SetDraggedLabel(int index) {
  if (labels_.dragged == index) return;
  labels_.dragged = index;
  emit DraggedLabelChanged();
}

void EditorController::PlaceNewLabel(QPointF press) { PlaceNewLabelAt(*this, press); }

void EditorController::DropLabel(QPointF point) { DropSelectedLabel(*this, point); }

void EditorController::ForgetPressedLabel() {
  // Label indexes name labels of the page shown; on another page they would name other labels.
  labels_.pressed = 0;
  labels_.selected = 0;
  labels_.new_index = 0;
  SetDraggedLabel(0);
  if (mode_.Activity() == CanvasMode::kLabelSelected) mode_.LabelDropRefused();
  for (int i : {0, 1}) SetPositionText(i, QString());
}

// ---------------------------------------------------------------- callout lines

bool EditorController::DrawLine(QPointF start, QPointF end) {
  return DrawLineOnRelease(*this, start, end);
}

}  // namespace komasu
