#pragma once
// The editor state that album files do not store, beside the Album: the selected slot, the
// nine lines of the slot text panel and the canvas mode of the page view. It follows the
// album's page changes in the order the album emits them, and changes the shown page only
// through the album's commands, so widgets only translate input into its calls and show its
// state.

#include <QObject>
#include <QPointF>
#include <array>

#include "album/page_content.h"
#include "commands/album_commands.h"
#include "editor/canvas_mode.h"

namespace komasu {

class LabelTextEntry;
class TextMeasure;

// The free-label state of the page editor (label indexes 1..100, 0 for none).
struct LabelEditState {
  int pressed = 0;    // the label last pressed with any button on the page shown
  int selected = 0;   // the label a left press selected: target of drops, fields, size, font
  int new_index = 0;  // the label waiting for its place after "ラベル入力"
  int editing = 0;    // the label the label text dialog edits
  int dragged = 0;    // the label hidden while it is dragged
  // The press point within the selected label and its distances to the right and bottom edges.
  std::array<int, 4> grab_offsets{};
  QPointF drag_start;  // overlay coordinates
  QPointF drop_point;
};

// The kind of line the next canvas release draws: "ライン" or "ふき出し線".
enum class LineKind { kStraight = 0, kCallout = 1 };

class EditorController : public QObject, public CanvasModeHandler {
  Q_OBJECT

 public:
  explicit EditorController(AlbumCommands& commands, QObject* parent = nullptr);

  Album& Doc() { return commands_.Doc(); }
  const Album& Doc() const { return commands_.Doc(); }
  AlbumCommands& Commands() { return commands_; }

  // --- the slot text panel ---
  int SelectedSlot() const { return selected_slot_; }
  const std::array<QString, kLinesPerSlot>& PanelLines() const { return panel_; }
  // A change of panel line j: the line of the selected slot follows and the album is marked
  // modified. Nothing changes on a page that cannot be edited.
  void SetPanelLine(int j, const QString& text);
  void SelectSlot(int slot);
  // The panel shows the selected slot's lines of the shown page.
  void FillPanel();

  CanvasMode& Mode() { return mode_; }
  const CanvasMode& Mode() const { return mode_; }

  // --- free labels (label_editing.h holds the commands) ---
  LabelEditState& Labels() { return labels_; }
  const LabelEditState& Labels() const { return labels_; }
  // The position fields Ｘ (0) and Ｙ (1): the selected label's top left corner in page mm.
  const QString& PositionText(int index) const { return position_text_.at(index); }
  void SetPositionText(int index, const QString& text);
  // The label hidden while it is dragged (0: none).
  void SetDraggedLabel(int index);
  // Label auto-size and the label text dialog; without a measure labels keep their size,
  // without an entry new labels get no text. Every page shown fits its labels to their text.
  void SetTextMeasure(const TextMeasure* measure);
  const TextMeasure* Measure() const { return text_measure_; }
  void SetLabelTextEntry(LabelTextEntry* entry) { label_text_entry_ = entry; }
  LabelTextEntry* TextEntry() const { return label_text_entry_; }

  // CanvasModeHandler: what the canvas hands on to label editing.
  void PlaceNewLabel(QPointF press) override;
  void DropLabel(QPointF point) override;

  // --- callout lines (line_editing.h holds the behaviour) ---
  LineKind CurrentLineKind() const { return line_kind_; }
  void SetLineKind(LineKind kind) { line_kind_ = kind; }
  // The "矢印" check box: straight lines get an arrow head at their start point.
  bool ArrowOption() const { return arrow_option_; }
  void SetArrowOption(bool on) { arrow_option_ = on; }
  // The release of a press in line drawing mode draws the line of the current kind.
  bool DrawLine(QPointF start, QPointF end) override;

 signals:
  // The selected slot or a panel line changed.
  void PanelChanged();
  // A position field's text changed.
  void PositionFieldsChanged();
  // A label was hidden for its drag or shows again.
  void DraggedLabelChanged();

 private:
  void ClearPanel();

  AlbumCommands& commands_;
  Album& album_;
  int selected_slot_ = 0;
  std::array<QString, kLinesPerSlot> panel_;
  CanvasMode mode_;

  // --- free labels ---
  void ForgetPressedLabel();
  LabelEditState labels_;
  std::array<QString, 2> position_text_;
  const TextMeasure* text_measure_ = nullptr;
  LabelTextEntry* label_text_entry_ = nullptr;

  // --- callout lines ---
  LineKind line_kind_ = LineKind::kStraight;
  bool arrow_option_ = false;
};

}  // namespace komasu
