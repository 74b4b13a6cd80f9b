#include "editor/slot_text_commands.h"

#include <algorithm>
#include <array>

#include "album/album.h"
#include "commands/album_commands.h"
#include "commands/page_walk.h"
#include "editor/editor_controller.h"
#include "platform/cp932.h"
#include "platform/number_text.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

// The lines go into every slot of the shown page.
void SetAllSlots(AlbumCommands& commands, const QString& name,
                 const std::array<QString, kLinesPerSlot>& lines) {
  commands.ChangeShownPage(
      name,
      [&](PageContent& page, PageDecor&) {
        for (int s = 0; s < kPhotoSlots; ++s) {
          for (int j = 0; j < kLinesPerSlot; ++j) page.Line(s, j).text = lines[j];
        }
      });
}

}  // namespace

bool ClearSlotTexts(EditorController& editor) {
  Album& album = editor.Doc();
  if (!album.Prompts().AskYesNo(QStringLiteral("テキストをクリアしますか？"),
                                QStringLiteral("クリア"), MessageIcon::kQuestion)) {
    return false;
  }
  editor.Commands().GroupShownPage(QStringLiteral("ALLクリア"), [&] {
    for (int j = 0; j < kLinesPerSlot; ++j) editor.SetPanelLine(j, QString());
  });
  return true;
}

bool PasteIntoPage(EditorController& editor) {
  Album& album = editor.Doc();
  if (!album.Prompts().AskYesNo(QStringLiteral("テキストをページ全体にコピーしますか"),
                                QStringLiteral("コピー"), MessageIcon::kQuestion)) {
    return false;
  }
  if (album.PageCount() == 0) return false;
  SetAllSlots(editor.Commands(), QStringLiteral("ページ全体に貼付"), editor.PanelLines());
  return true;
}

bool PasteIntoAlbum(EditorController& editor, const ProgressCallback& progress) {
  Album& album = editor.Doc();
  if (!album.Prompts().AskYesNo(QStringLiteral("テキストをアルバム全体にコピーしますか"),
                                QStringLiteral("コピー"), MessageIcon::kQuestion)) {
    return false;
  }
  const int count = album.PageCount();
  if (count == 0) return false;
  const int remembered = album.CurrentPage();
  const std::array<QString, kLinesPerSlot> lines = editor.PanelLines();
  const QString name = QStringLiteral("アルバム全体に貼付");
  AlbumCommands& commands = editor.Commands();
  return commands.ChangeAlbum(name, [&] {
    return EditEveryPage(
        commands, remembered, progress, [&](int) { SetAllSlots(commands, name, lines); }, true);
  });
}

bool NumberSlotsSerially(EditorController& editor, const ProgressCallback& progress) {
  Album& album = editor.Doc();
  const std::optional<QString> answer =
      album.Prompts().AskText(QStringLiteral("通し番号の最初の№を入力してください。"),
                              QStringLiteral("連番"), QStringLiteral("1"));
  if (!answer) return false;
  const std::optional<double> start = ParseTypedNumber(*answer);
  if (!start) return false;
  // Without pages the loop below would never reach its end.
  if (album.PageCount() == 0) return false;
  const int remembered = album.CurrentPage();

  double n = *start;
  AlbumCommands& commands = editor.Commands();
  return commands.ChangeAlbum(QStringLiteral("連番"), [&] {
    return EditEveryPage(commands, remembered, progress, [&](int done) {
      commands.ChangeShownPage(
          QStringLiteral("連番"),
          [&](PageContent& page, PageDecor&) {
            page.Line(0, 0).text = done == 1 ? *answer : SerialNumberText(n);
            page.Line(1, 0).text = SerialNumberText(n + 1);
            page.Line(2, 0).text = SerialNumberText(n + 2);
          });
      n += 3;
    });
  });
}

bool DropWord(EditorController& editor, int line, const std::optional<QString>& word) {
  if (!word || line < 0 || line >= kLinesPerSlot) return false;
  const QString text = editor.PanelLines()[static_cast<size_t>(line)] + *word;
  if (const QString why = UnstorableTextMessage(text); !why.isEmpty()) {
    editor.Doc().Prompts().Notify(why, QString(), MessageIcon::kExclamation);
    return false;
  }
  editor.SetPanelLine(line, text);
  return true;
}

QColor SlotColor(int slot) {
  static const QColor kColors[kPhotoSlots] = {QColor(192, 192, 255), QColor(255, 192, 255),
                                              QColor(192, 255, 192)};
  return kColors[std::clamp(slot, 0, kPhotoSlots - 1)];
}

QString SerialNumberText(double value) {
  if (value == 0) return QStringLiteral("0");
  QString s = QString::number(value, 'g', 15);
  const qsizetype e = s.indexOf(u'e');
  if (e >= 0) s[e] = u'E';
  return s;
}

}  // namespace komasu
