#pragma once
// The editor state that album files do not store, beside the Album: the selected slot, the
// nine lines of the slot text panel and the canvas mode of the page view. It follows the
// album's page changes in the order the album emits them, and changes the shown page only
// through the album, so widgets only translate input into its calls and show its state.

#include <QObject>
#include <array>

#include "album/page_content.h"
#include "editor/canvas_mode.h"

namespace komasu {

class Album;

class EditorController : public QObject {
  Q_OBJECT

 public:
  explicit EditorController(Album& album, QObject* parent = nullptr);

  Album& Doc() { return album_; }
  const Album& Doc() const { return album_; }

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

 signals:
  // The selected slot or a panel line changed.
  void PanelChanged();

 private:
  void ClearPanel();

  Album& album_;
  int selected_slot_ = 0;
  std::array<QString, kLinesPerSlot> panel_;
  CanvasMode mode_;
};

}  // namespace komasu
