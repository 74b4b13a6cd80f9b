#include "photos/photo_drop.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "album/album.h"
#include "album/drive_settings.h"
#include "album/page_geometry.h"
#include "editor/editor_controller.h"
#include "photos/photo_insert_form.h"
#include "photos/photo_placement.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

QString DropTitle() { return QStringLiteral("ＫＯＭＡＳＵ-写真挿入"); }

}  // namespace

int PhotoSlotAt(const Album& album, QPointF twips) {
  if (!album.IsOpen()) return 0;
  for (int slot = 1; slot <= kPhotoSlots; ++slot) {
    const PhotoElement& photo = album.Page().Photo(slot);
    const QRectF shown(photo.left, photo.top, photo.width, photo.height);
    if (!photo.path.isEmpty() && photo.visible && shown.contains(twips)) return slot;
  }
  for (int slot = 1; slot <= kPhotoSlots; ++slot) {
    if (SlotPhotoBox(album.Layout(), album.CurrentPage(), slot).contains(twips)) return slot;
  }
  return 0;
}

QString DroppedPhotoProblem(const QString& path) {
  const QString refused = QStringLiteral(
                              "写真として読み込めないファイルです。\r%1\rJPEG または BMP の写真を"
                              "ドロップしてください。")
                              .arg(QDir::toNativeSeparators(path));
  // Only regular files are opened: a FIFO would block, a folder named like a photo is none.
  if (!QFileInfo(path).isFile()) return refused;
  QImageReader reader(path);
  const QByteArray format = reader.format();  // from the content: the name may lie
  if (format != "jpeg" && format != "bmp") return refused;
  if (!reader.size().isValid() || reader.size().isEmpty()) return refused;
  return {};
}

bool DropPhotoFiles(EditorController& editor, QPointF twips, const QStringList& paths) {
  Album& album = editor.Doc();
  const int slot = PhotoSlotAt(album, twips);
  if (slot == 0 || paths.isEmpty()) return false;
  if (paths.size() > 1) {
    album.Prompts().Notify(QStringLiteral("写真は1枚ずつドロップしてください。"), DropTitle(),
                           MessageIcon::kExclamation);
    return false;
  }
  const QString& file = paths.front();
  if (const QString problem = DroppedPhotoProblem(file); !problem.isEmpty()) {
    album.Prompts().Notify(problem, DropTitle(), MessageIcon::kExclamation);
    return false;
  }
  // The data folder as OPT.ini says now, as the photo dialog reads it at each opening.
  const QString data_folder = ReadDriveSettings(album.Folder().OptIni()).data_folder;
  QString error;
  if (!PlacePhotoInSlot(album, slot, file, LastCopyChoice(), data_folder, album.TimeSource(),
                        &error)) {
    if (!error.isEmpty()) album.Prompts().Notify(error, DropTitle(), MessageIcon::kExclamation);
    return false;
  }
  return true;
}

}  // namespace komasu
