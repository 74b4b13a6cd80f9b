#include "photos/photo_drop.h"

#include <QDir>
#include <QFileInfo>

#include "album/album.h"
#include "album/drive_settings.h"
#include "album/page_reader.h"
#include "commands/album_commands.h"
#include "photos/photo_batch.h"
#include "photos/photo_insert_form.h"
#include "photos/photo_placement.h"
#include "platform/photo_decoder.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

QString DropTitle() { return QStringLiteral("ＫＯＭＡＳＵ-写真挿入"); }

}  // namespace

int PhotoSlotAt(const Album& album, QPointF twips) {
  if (!album.IsOpen()) return 0;
  return komasu::PhotoSlotAt(album.Page(), album.Layout(), album.CurrentPage(), twips);
}

QString DroppedPhotoProblem(const QString& path) {
  // Only regular files are opened: a FIFO would block, a folder named like a photo is none.
  // The decoder judges by the content: the name may lie.
  if (QFileInfo(path).isFile() && PhotoSize(path).isValid()) return {};
  return QStringLiteral(
             "写真として読み込めないファイルです。\r%1\rJPEG・HEIC・PNG・BMP の写真を"
             "ドロップしてください。")
      .arg(QDir::toNativeSeparators(path));
}

bool DropPhotoFiles(AlbumCommands& commands, QPointF twips, const QStringList& paths,
                    const ProgressCallback& progress) {
  Album& album = commands.Doc();
  const int slot = PhotoSlotAt(album, twips);
  if (slot == 0 || paths.isEmpty()) return false;
  // The data folder as OPT.ini says now, as the photo dialog reads it at each opening.
  const PlacementOptions options{
      LastCopyChoice(), ReadDriveSettings(album.Folder().OptIni()).data_folder, LastDateLine()};
  const QString& file = paths.front();
  if (paths.size() > 1 || QFileInfo(file).isDir()) {
    const QStringList files = PhotoFilesAmong(paths);
    if (files.isEmpty()) {
      album.Prompts().Notify(QStringLiteral("ドロップしたフォルダには写真がありません。\r%1")
                                 .arg(QDir::toNativeSeparators(file)),
                             DropTitle(), MessageIcon::kExclamation);
      return false;
    }
    return PlaceManyPhotos(commands, slot, files, options, album.TimeSource(), progress) > 0;
  }
  if (const QString problem = DroppedPhotoProblem(file); !problem.isEmpty()) {
    album.Prompts().Notify(problem, DropTitle(), MessageIcon::kExclamation);
    return false;
  }
  QString error;
  if (!PlacePhotoInSlot(commands, slot, file, options, album.TimeSource(), &error)) {
    if (!error.isEmpty()) album.Prompts().Notify(error, DropTitle(), MessageIcon::kExclamation);
    return false;
  }
  return true;
}

}  // namespace komasu
