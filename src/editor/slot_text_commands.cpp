#include "editor/slot_text_commands.h"

#include <algorithm>
#include <array>

#include "album/album.h"
#include "editor/editor_controller.h"
#include "platform/cp932.h"
#include "platform/number_text.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

// The lines go into every slot of the shown page; the album is not marked modified by this.
void SetAllSlots(Album& album, const std::array<QString, kLinesPerSlot>& lines) {
  album.EditPage(
      [&](PageContent& page, PageDecor&) {
        for (int s = 0; s < kPhotoSlots; ++s) {
          for (int j = 0; j < kLinesPerSlot; ++j) page.Line(s, j).text = lines[j];
        }
      },
      false);
}

// The next-page move; false when the shown page could not be written back (the user was told
// once), which must end an album-wide command instead of repeating on the same page.
bool MoveToNextPage(Album& album) {
  const int before = album.CurrentPage();
  album.NextPage();
  return album.CurrentPage() != before;
}

}  // namespace

bool ClearSlotTexts(EditorController& editor) {
  Album& album = editor.Doc();
  if (!album.Prompts().AskYesNo(QStringLiteral("テキストをクリアしますか？"),
                                QStringLiteral("クリア"), MessageIcon::kQuestion)) {
    return false;
  }
  for (int j = 0; j < kLinesPerSlot; ++j) editor.SetPanelLine(j, QString());
  return true;
}

bool PasteIntoPage(EditorController& editor) {
  Album& album = editor.Doc();
  if (!album.Prompts().AskYesNo(QStringLiteral("テキストをページ全体にコピーしますか"),
                                QStringLiteral("コピー"), MessageIcon::kQuestion)) {
    return false;
  }
  if (album.PageCount() == 0) return false;
  SetAllSlots(album, editor.PanelLines());
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

  Album::Batch batch(album);
  album.FirstPage();
  if (album.CurrentPage() != 1) return false;  // the shown page could not be written back
  bool failed = false;
  for (int done = 1; done <= count; ++done) {
    SetAllSlots(album, lines);
    if (progress) progress(done, count);
    if (album.CurrentPage() < album.PageCount() && !MoveToNextPage(album)) {
      failed = true;
      break;
    }
  }
  // After a refused write-back the page stays shown with its edits, rather than being cleared.
  if (!failed) {
    if (album.CurrentPage() != remembered) {
      if (album.SaveCurrentPage()) {
        album.ClearPage();
        album.SetCurrentPage(remembered);
      }
    } else {
      editor.FillPanel();  // the panel mirrors the pasted lines of the selected slot
    }
  }
  return batch.Finish() && !failed;
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

  Album::Batch batch(album);
  double n = *start;
  const bool ok = EditEveryPage(editor, remembered, progress, [&](int done) {
    album.EditPage(
        [&](PageContent& page, PageDecor&) {
          page.Line(0, 0).text = done == 1 ? *answer : SerialNumberText(n);
          page.Line(1, 0).text = SerialNumberText(n + 1);
          page.Line(2, 0).text = SerialNumberText(n + 2);
        },
        false);
    n += 3;
  });
  return batch.Finish() && ok;
}

bool EditEveryPage(EditorController& editor, int remembered, const ProgressCallback& progress,
                   const std::function<void(int done)>& edit) {
  Album& album = editor.Doc();
  album.FirstPage();
  if (album.CurrentPage() != 1) return false;  // the shown page could not be written back
  for (int done = 1;; ++done) {
    edit(done);
    if (progress) progress(done, album.PageCount());
    if (done >= album.PageCount()) break;
    if (!MoveToNextPage(album)) return false;
  }
  if (!album.SaveCurrentPage()) return false;
  if (album.CurrentPage() != remembered) {
    album.SetCurrentPage(remembered);
  } else {
    editor.FillPanel();
  }
  return true;
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
