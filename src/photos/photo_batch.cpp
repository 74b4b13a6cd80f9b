#include "photos/photo_batch.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "album/album.h"
#include "commands/album_commands.h"
#include "photos/thumbnail_model.h"
#include "platform/photo_decoder.h"
#include "platform/photo_exif.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

constexpr int kNamesShown = 10;

QString RefusedNotice(const QStringList& refused, const QString& reason) {
  QStringList names;
  for (const QString& file : refused.mid(0, kNamesShown)) names << QDir::toNativeSeparators(file);
  if (refused.size() > kNamesShown) {
    names << QStringLiteral("ほか%1枚").arg(refused.size() - kNamesShown);
  }
  QString text = QStringLiteral("%1枚の写真を設定できませんでした。\r%2")
                     .arg(refused.size())
                     .arg(names.join(QLatin1Char('\r')));
  if (!reason.isEmpty()) text += QStringLiteral("\r\r") + reason;
  return text;
}

}  // namespace

QStringList InShootingOrder(const QStringList& files) {
  struct Item {
    QDateTime time;
    QString name;
    QString path;
  };
  std::vector<Item> items;
  items.reserve(static_cast<size_t>(files.size()));
  for (const QString& path : files) {
    QDateTime time = PhotoShotTime(path);
    if (!time.isValid()) time = QFileInfo(path).lastModified();
    items.push_back({time, QFileInfo(path).fileName(), path});
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    if (a.time != b.time) return a.time < b.time;
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  QStringList ordered;
  for (const Item& item : items) ordered << item.path;
  return ordered;
}

QStringList PhotoFilesAmong(const QStringList& paths) {
  QStringList files;
  for (const QString& path : paths) {
    if (QFileInfo(path).isDir()) {
      files << ListPhotoFiles(path);
    } else {
      files << path;
    }
  }
  return files;
}

int PlaceManyPhotos(AlbumCommands& commands, int slot, const QStringList& files,
                    const PlacementOptions& options, const Clock& clock,
                    const ProgressCallback& progress) {
  Album& album = commands.Doc();
  const QString title = QStringLiteral("ＫＯＭＡＳＵ-写真挿入");
  if (files.isEmpty() || slot < 1 || slot > 3) return 0;
  if (!album.PageEditable()) {
    album.Prompts().Notify(
        QStringLiteral("このページは別の形式のページのため、写真を設定できません。"), title,
        MessageIcon::kExclamation);
    return 0;
  }
  // Unreadable files are sorted out first, so that they take no slot.
  QStringList readable, refused;
  for (const QString& file : files) {
    const bool ok = QFileInfo(file).isFile() && ReadPhotoShape(file).upright.isValid();
    (ok ? readable : refused) << file;
  }
  QString reason =
      refused.isEmpty() ? QString() : QStringLiteral("写真として読み込めないファイルです。");
  readable = InShootingOrder(readable);
  const int start = album.CurrentPage();
  qsizetype next = 0;
  int placed = 0;
  if (!readable.isEmpty()) {
    commands.ChangeAlbum(QStringLiteral("写真の一括挿入"), [&] {
      PageWalk walk;
      walk.first = start;
      walk.last = kMaxPages;
      walk.append = [&] { commands.AppendPage(); };
      WalkPages(album, walk, [&](int n) {
        // A page of another format version keeps its slots; the photos go on.
        for (int s = n == start ? slot : 1; s <= 3 && album.PageEditable(); ++s) {
          if (next == readable.size()) break;
          if (!album.Page().Photo(s).path.isEmpty()) continue;
          QString error;
          if (!PlacePhotoInSlot(commands, s, readable[next], options, clock, &error)) {
            // A failed copy (a full disk) would fail for every photo after it.
            reason = error;
            return false;
          }
          ++next;
          ++placed;
          if (progress) progress(placed, static_cast<int>(readable.size()));
        }
        return next < readable.size();
      });
      if (album.CurrentPage() != start) album.JumpToPage(start);
      return placed > 0;
    });
  }
  // The progress ends before anything is said, also when the work stopped early.
  if (progress) progress(static_cast<int>(readable.size()), static_cast<int>(readable.size()));
  refused << readable.mid(next);
  if (!refused.isEmpty()) {
    album.Prompts().Notify(RefusedNotice(refused, reason), title, MessageIcon::kExclamation);
  }
  return placed;
}

}  // namespace komasu
