#pragma once
// The slot text panel beside the page view: the slot selector 上/中/下 on the selected slot's
// colour, the nine line fields of the selected slot, the buttons "ALLクリア", "ページ全体に貼付"
// and "アルバム全体に貼付", and the guide rule controls "補助線" with "下　線" / "枠　線". It only
// translates input into Album operations and shows the album's state; Refresh() re-reads it.

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

#include "album/page_content.h"

namespace komasu {

class Album;
class EditorController;

class SlotTextPanel : public QWidget {
  Q_OBJECT

 public:
  explicit SlotTextPanel(EditorController& editor, QWidget* parent = nullptr);

  // Where a word dropped on a line field comes from: the word list's selected word, nullopt
  // when nothing is selected. Until set, line fields take no drops.
  void SetWordSource(std::function<std::optional<QString>()> source);
  // The line field that last had the keyboard focus (1 until one had it): where a word chosen
  // in the word list with Enter or a double click goes.
  int LastFocusedLine() const { return last_focused_line_; }
  // The nine line fields Text4(0..8), for the copy tool's highlight.
  const std::array<QLineEdit*, 9>& LineFields() const { return fields_; }
  // The fontinfo.ini values applied to the nine fields: name, size (plus 5), strikethrough,
  // bold, italic, colour.
  void ApplyFontInfo(const QStringList& values);
  // What is left on paper of a slot line of `style` (as shown, in the fontinfo.ini font every
  // page prints with) when the printed column cuts it; nothing when it prints whole. Lines it
  // cuts are tinted, their tooltip shows what prints. Until set, no line is marked.
  using PrintedLineCheck =
      std::function<std::optional<QString>(const TextStyle& style, const QString& text)>;
  void SetPrintedLineCheck(PrintedLineCheck check);

 public slots:
  // Shows the editor's selected slot and panel lines and the page's rule settings.
  void Refresh();
  // 編集 → 連番.
  void NumberSlotsSerially();
  void PasteIntoAlbum();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildSlotSelector(QFrame* background);
  void BuildLineFields(QFrame* background);
  void BuildCommands(QFrame* background);
  void BuildRuleControls();
  void OnLineChanged(int j, const QString& text);
  void MarkCutLines();

  EditorController& editor_;
  Album& album_;
  std::function<std::optional<QString>()> word_source_;
  PrintedLineCheck printed_line_check_;
  QStringList font_values_;
  bool refreshing_ = false;
  int last_focused_line_ = 1;

  QFrame* background_ = nullptr;  // Shape3
  std::array<QRadioButton*, 3> slot_buttons_{};
  std::array<QLineEdit*, 9> fields_{};
  QColor palette_base_;  // of a line field that prints whole
  QCheckBox* guide_switch_ = nullptr;
  QFrame* style_frame_ = nullptr;
  QRadioButton* underline_ = nullptr;
  QRadioButton* frame_ = nullptr;
  QLabel* read_only_note_ = nullptr;
};

}  // namespace komasu
