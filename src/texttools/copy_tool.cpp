#include "texttools/copy_tool.h"

#include <vector>

#include "album/album.h"
#include "editor/editor_controller.h"
#include "commands/album_commands.h"
#include "commands/page_walk.h"
#include "editor/slot_text_commands.h"

namespace komasu {

namespace {

std::vector<int> CopiedLines(std::optional<int> line) {
  if (line) {
    if (*line < CopyToolState::kFirstLine || *line > CopyToolState::kLastLine) return {};
    return {*line};
  }
  std::vector<int> all;
  for (int k = CopyToolState::kFirstLine; k <= CopyToolState::kLastLine; ++k) all.push_back(k);
  return all;
}

}  // namespace

void CopyToolState::MoveUp() {
  if (line_ > kFirstLine) --line_;
}

void CopyToolState::MoveDown() {
  if (line_ < kLastLine) ++line_;
}

QColor CopyToolState::LineColor(int j) const {
  const bool copied = mode_ == CopyMode::kItem ? j >= kFirstLine : j == line_;
  return copied ? QColor(255, 255, 0) : QColor(255, 255, 255);
}

std::optional<int> CopyToolState::LinesToCopy() const {
  if (mode_ == CopyMode::kItem) return std::nullopt;
  return line_;
}

bool CopyLinesToShownPage(EditorController& editor, std::optional<int> line) {
  Album& album = editor.Doc();
  if (album.PageCount() == 0) return false;
  album.SaveCurrentPage();
  const auto panel = editor.PanelLines();
  const std::vector<int> lines = CopiedLines(line);
  if (lines.empty()) return false;
  return editor.Commands().ChangeShownPage(
      QStringLiteral("表示ページにコピー"),
      [&](PageContent& page, PageDecor&) {
        for (int k : lines) {
          for (int s = 0; s < kPhotoSlots; ++s) page.Line(s, k).text = panel[k];
        }
      });
}

bool CopyLinesToEveryPage(EditorController& editor, std::optional<int> line,
                          const ProgressCallback& progress) {
  Album& album = editor.Doc();
  AlbumCommands& commands = editor.Commands();
  const QString name = QStringLiteral("各ページにコピー");
  return commands.ChangeAlbum(name, [&] {
    if (!album.SaveCurrentPage()) return false;
    const int remembered = album.CurrentPage();
    if (album.PageCount() == 0) return false;
    const auto panel = editor.PanelLines();
    const std::vector<int> lines = CopiedLines(line);
    if (lines.empty()) return false;
    const int slot = editor.SelectedSlot();
    return EditEveryPage(commands, remembered, progress, [&](int) {
      commands.ChangeShownPage(
          name,
          [&](PageContent& page, PageDecor&) {
            for (int k : lines) page.Line(slot, k).text = panel[k];
          });
    });
  });
}

}  // namespace komasu
