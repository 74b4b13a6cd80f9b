#pragma once
// The copy tool "ＫＯＭＡＳＵ-コピーツール" without widgets: the chosen panel line, the mode
// 単語 (the chosen line) or 項目 (all eight text lines), the highlight of the panel's line
// fields, and the two copies, into all three slots of the shown page or into the selected slot
// of every page. The number line is never copied.

#include <QColor>
#include <optional>

#include "editor/slot_text_commands.h"

namespace komasu {

class EditorController;

enum class CopyMode { kWord, kItem };  // 単語, 項目

class CopyToolState {
 public:
  static constexpr int kFirstLine = 1;
  static constexpr int kLastLine = 8;

  int ChosenLine() const { return line_; }
  CopyMode Mode() const { return mode_; }
  void MoveUp();
  void MoveDown();
  void SetMode(CopyMode mode) { mode_ = mode; }
  // The arrows move the chosen line in mode 単語 only.
  bool ArrowsEnabled() const { return mode_ == CopyMode::kWord; }
  // The colour of panel line field j (0..8) while the tool is open: the lines to copy yellow,
  // the others white.
  QColor LineColor(int j) const;
  // The lines a copy takes: nullopt for all eight, otherwise the chosen line.
  std::optional<int> LinesToCopy() const;

 private:
  int line_ = kFirstLine;
  CopyMode mode_ = CopyMode::kWord;
};

// "表示ページにコピー": writes the shown page back, then puts panel line `line` (1..8), or all
// eight text lines when nullopt, into the same lines of all three slots of the shown page.
// The album is marked modified; the page reaches the file when it is next written back.
bool CopyLinesToShownPage(EditorController& editor, std::optional<int> line);

// "各ページにコピー": puts panel line `line`, or all eight text lines, into the selected slot
// of every page as one album-wide change (the file is rewritten once), and shows the
// starting page again. False when there are no pages or the file could not be written.
bool CopyLinesToEveryPage(EditorController& editor, std::optional<int> line,
                          const ProgressCallback& progress = {});

}  // namespace komasu
