#include "photos/photo_placement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>

#include "album/album.h"
#include "album/page_geometry.h"
#include "commands/album_commands.h"
#include "photos/jpeg_copy.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/photo_decoder.h"
#include "platform/photo_exif.h"
#include "platform/prompter.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

// Wide (and square) photos take the box's width, tall ones its height; the other side keeps
// the aspect ratio, rounded half to even.
QSizeF FitInto(QSize natural, double width, double height) {
  if (natural.isEmpty()) return {};
  if (natural.width() >= natural.height()) {
    const double r = natural.width() / width;
    return {width, std::rint(natural.height() / r)};
  }
  const double r = natural.height() / height;
  return {std::rint(natural.width() / r), height};
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// The trash keeps a note named after the file plus ".trashinfo"; for a longer name no such note
// can be made, and Qt then retries for ever.
constexpr qsizetype kMaxTrashableNameBytes = 255 - 10;

}  // namespace

QSizeF FitPreview(QSize natural) { return FitInto(natural, 2775, 2000); }

QSizeF FitInsertedPhoto(QSize natural) { return FitInto(natural, 3100, 2200); }

QRectF InsertedPhotoBox(QSize natural, int slot, int page) {
  const float left = PhotoLeftFor(page % 2 != 0 ? PageSide::kLeftBound : PageSide::kRightBound);
  return QRectF(QPointF(left, kPhotoSlotTops[std::clamp(slot, 1, 3) - 1]),
                FitInsertedPhoto(natural));
}

QString CopyBaseName(const QDateTime& now) {
  const QTime t = now.time();
  return QStringLiteral("AL%1%2%3%4")
      .arg(now.date().toString(QStringLiteral("yyMMdd")))
      .arg(t.hour())
      .arg(t.minute())
      .arg(t.second());
}

QString FreeCopyPath(const QString& data_folder, const QDateTime& now) {
  const QDir dir(data_folder);
  const QString base = CopyBaseName(now);
  QString path = dir.filePath(base + QStringLiteral(".jpg"));
  // Distinct times can give the same name (1:23:45 and 12:3:45), and so can two copies
  // within one second.
  for (int n = 2; QFileInfo::exists(path); ++n) {
    path = dir.filePath(QStringLiteral("%1_%2.jpg").arg(base).arg(n));
  }
  return path;
}

QString ShotDateText(const QDateTime& shot) {
  return shot.isValid() ? shot.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

bool PlacePhotoInSlot(AlbumCommands& commands, int slot, const QString& file,
                      const PlacementOptions& options, const Clock& clock, QString* error,
                      QString* placed_path) {
  const Album& album = commands.Doc();
  auto fail = [error](const QString& text) {
    if (error) *error = text;
    return false;
  };
  if (file.isEmpty() || slot < 1 || slot > 3) return fail({});
  if (!album.PageEditable()) {
    return fail(QStringLiteral("このページは別の形式のページのため、写真を設定できません。"));
  }
  const QFileInfo source(file);
  // Not a regular file (a folder named like a photo, a FIFO): never opened.
  PhotoShape shape = source.isFile() ? ReadPhotoShape(file) : PhotoShape();
  if (shape.upright.isEmpty()) {
    return fail(QStringLiteral("写真として読み込めないファイルです。\r%1").arg(Native(file)));
  }
  const bool convert = NeedsJpegCopy(shape.format);
  const QString& data_folder = options.data_folder;
  QString path = file;
  if (options.copy || convert) {
    if (data_folder.isEmpty() || !QFileInfo(data_folder).isDir()) {
      return fail(QStringLiteral("データフォルダが見つかりません。\r%1\r"
                                 "ドライブの設定でデータフォルダを設定してください。%2")
                      .arg(Native(data_folder),
                           convert ? QStringLiteral("\rJPEG 以外の写真は JPEG に変換して"
                                                    "データフォルダに保存します。")
                                   : QString()));
    }
    path = FreeCopyPath(data_folder, clock.Now());
    if (const QString c = UnstorablePathCharacter(path); !c.isEmpty()) {
      return fail(
          QStringLiteral("データフォルダの名前に保存できない文字「%1」が含まれています。\r%2")
              .arg(c, Native(data_folder)));
    }
    QFile in(file);
    errno = 0;
    if (convert) {
      QString why;
      if (!WriteJpegCopy(file, path, &why)) return fail(why);
      shape = ReadPhotoShape(path);  // the slot shows the copy
    } else if (!in.copy(path)) {
      // QFile::copy never overwrites an existing file and removes a partial copy on failure.
      return fail(QStringLiteral("写真データを複製できませんでした。\r%1\r→ %2\r%3")
                      .arg(Native(file), Native(path), WriteFailureReason(path, errno)));
    }
  } else if (const QString c = UnstorablePathCharacter(path); !c.isEmpty()) {
    // Refused here: once in the slot, such a path would keep the page from being saved.
    return fail(QStringLiteral("この写真のファイル名またはフォルダ名には、アルバムに保存できない"
                               "文字「%1」が含まれています。\r%2\r"
                               "「写真データ複製」をオンにすると、データフォルダへの複製を設定"
                               "できます。")
                    .arg(c, Native(path)));
  }
  if (!commands.SetSlotPhoto(slot, path,
                             InsertedPhotoBox(shape.upright, slot, album.CurrentPage()))) {
    if (path != file) QFile::remove(path);
    return fail(QStringLiteral("このページには写真を設定できません。"));
  }
  if (options.date_line >= 0 && options.date_line < kLinesPerSlot) {
    if (const QString date = ShotDateText(PhotoShotTime(file)); !date.isEmpty()) {
      commands.SetSlotLine(slot - 1, options.date_line, date);
      commands.RefillShownPage();  // the slot text panel shows the line
    }
  }
  if (placed_path) *placed_path = path;
  return true;
}

void ClearPhotoSlot(AlbumCommands& commands, int slot) {
  if (slot < 1 || slot > 3) return;
  commands.SetSlotPhoto(slot, QString());
}

bool RemovePhotoFile(const QString& file, Prompter& prompter, QString* error) {
  if (error) error->clear();
  const bool trashable =
      QFile::encodeName(QFileInfo(file).fileName()).size() <= kMaxTrashableNameBytes;
  if ((!trashable || !QFile::moveToTrash(file)) && QFileInfo(file).isFile()) {
    if (!prompter.AskYesNo(QStringLiteral("ゴミ箱に移せません。完全に削除しますか？"),
                           QStringLiteral("データ削除"), MessageIcon::kStop, true)) {
      return false;
    }
    QFile::remove(file);
  }
  if (QFileInfo::exists(file) || QFileInfo(file).isSymLink()) {
    if (error) {
      *error = QStringLiteral("写真データを削除できませんでした。\r%1").arg(Native(file));
    }
    return false;
  }
  return true;
}

}  // namespace komasu
