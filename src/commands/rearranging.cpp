#include "commands/rearranging.h"

#include <QSet>
#include <algorithm>
#include <numeric>

#include "album/page_reader.h"
#include "commands/album_commands.h"
#include "platform/prompter.h"

namespace komasu {

QList<int> PageOrderAfterMove(int count, const QList<int>& pages, int before) {
  if (pages.isEmpty() || before < 1 || before > count + 1) return {};
  const QSet<int> moved(pages.begin(), pages.end());
  if (moved.size() != pages.size()) return {};
  if (std::any_of(pages.begin(), pages.end(), [count](int n) { return n < 1 || n > count; })) {
    return {};
  }
  QList<int> order;
  order.reserve(count);
  for (int n = 1; n <= count + 1; ++n) {
    if (n == before) order.append(pages);
    if (n <= count && !moved.contains(n)) order.append(n);
  }
  QList<int> unchanged(count);
  std::iota(unchanged.begin(), unchanged.end(), 1);
  if (order == unchanged) return {};
  return order;
}

bool AlbumCommands::MovePages(const QList<int>& pages, int before) {
  if (!album_.IsOpen() || album_.RefuseReadOnly()) return false;
  const QList<int> order = PageOrderAfterMove(album_.PageCount(), pages, before);
  if (order.isEmpty()) return false;
  bool ok = false;
  RecordRecords(QStringLiteral("ページの移動"), [&] {
    bool storable = false;
    const QList<QByteArray> records = album_.RecordsAsShown(&storable);
    if (!storable) return album_.CheckStorable();  // tells what cannot be stored
    if (records.size() != album_.PageCount() + 1) return false;
    QList<QByteArray> moved{records.first()};
    for (int n : order) moved.append(records.at(n));
    ok = album_.RestoreRecords(moved, static_cast<int>(order.indexOf(album_.CurrentPage())) + 1);
    return ok;
  });
  if (ok) album_.SetModified(true);
  return ok;
}

void AlbumCommands::AskMovePage() {
  if (!album_.IsOpen() || album_.RefuseReadOnly()) return;
  const int shown = album_.CurrentPage();
  const int count = album_.PageCount();
  const std::optional<QString> answer = album_.Prompts().AskText(
      QStringLiteral("ページ %1 を移動します。\r移動先のページ番号（1～%2）を入力してください。")
          .arg(shown)
          .arg(count),
      QStringLiteral("ページの移動"), QString::number(shown));
  if (!answer) return;
  bool number = false;
  const int target = answer->trimmed().toInt(&number);
  if (!number || target < 1 || target > count) {
    album_.Prompts().Notify(
        QStringLiteral("1 から %1 までのページ番号を入力してください。").arg(count));
    return;
  }
  // The page is to have number `target` after the move.
  MovePages({shown}, target <= shown ? target : target + 1);
}

bool AlbumCommands::SwapSlotPhotos(int a, int b, bool with_texts) {
  if (a == b || std::min(a, b) < 1 || std::max(a, b) > kPhotoSlots) return false;
  const QString name =
      with_texts ? QStringLiteral("写真と説明文の入れ替え") : QStringLiteral("写真の入れ替え");
  return ChangeShownPage(name, [&](PageContent& page, PageDecor&) {
    PhotoElement& p = page.Photo(a);
    PhotoElement& q = page.Photo(b);
    // The box stays with its slot; its size is the photo's.
    std::swap(p.path, q.path);
    std::swap(p.width, q.width);
    std::swap(p.height, q.height);
    std::swap(p.visible, q.visible);
    if (!with_texts) return;
    for (int j = 0; j < kLinesPerSlot; ++j) {
      std::swap(page.Line(a - 1, j).text, page.Line(b - 1, j).text);
    }
  });
}

bool AlbumCommands::MovePhotoToPage(int slot, int page) {
  if (slot < 1 || slot > kPhotoSlots || page < 1 || page > album_.PageCount() ||
      page == album_.CurrentPage() || !album_.PageEditable()) {
    return false;
  }
  const QString path = album_.Page().Photo(slot).path;
  if (path.isEmpty()) return false;
  const std::optional<PageContent> target = ReadPage(album_.Records(), page, album_.Layout());
  int free_slot = 0;
  for (int i = 1; target && i <= kPhotoSlots && free_slot == 0; ++i) {
    if (target->Photo(i).path.isEmpty()) free_slot = i;
  }
  if (free_slot == 0) {
    album_.Prompts().Notify(
        target ? QStringLiteral("ページ %1 には空いている写真枠がありません。").arg(page)
               : QStringLiteral("ページ %1 は別の形式のページのため、写真を移せません。").arg(page));
    return false;
  }
  const int shown = album_.CurrentPage();
  return ChangeAlbum(QStringLiteral("写真の移動"), [&] {
    if (!SetSlotPhoto(slot, QString())) return false;
    album_.JumpToPage(page);
    if (album_.CurrentPage() != page) return false;
    const bool placed = album_.EditPage([&](PageContent& p, PageDecor&) {
      PlaceSlotPhoto(p, album_.Layout(), page, free_slot, path);
    });
    album_.JumpToPage(shown);
    return placed && album_.CurrentPage() == shown;
  });
}

}  // namespace komasu
