#pragma once
// Putting a photo file into a slot of the shown page: the optional copy into the data folder
// under a name that never overwrites (always a JPEG copy for formats earlier versions cannot
// show), the checks that keep unstorable or missing paths out of the album, the shooting date
// in a text line when asked for, and the box the photo gets until the page is next shown. The
// photo insert dialog and drops on the page view both go through PlacePhotoInSlot.

#include <QDateTime>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace komasu {

class AlbumCommands;
class Clock;
class Prompter;

// The preview box: wide and square photos 2775 twips wide, tall ones 2000 twips high.
QSizeF FitPreview(QSize natural);
// The inserted photo's box inside 3100 × 2200 twips, keeping the photo's aspect ratio.
QSizeF FitInsertedPhoto(QSize natural);
// Where an inserted photo stands on page `page` until the page is shown again: left 7100 on
// odd pages and 8400 on even ones, top by slot (1..3).
QRectF InsertedPhotoBox(QSize natural, int slot, int page);

// "AL" + yymmdd + hms (hours, minutes and seconds without leading zeros) + ".jpg".
QString CopyBaseName(const QDateTime& now);
// The copy's path in `data_folder`: the base name, or with "_2", "_3", … before ".jpg" when a
// file of that name exists already.
QString FreeCopyPath(const QString& data_folder, const QDateTime& now);

// How files reach slots: the photo dialog's options, which drops follow too.
struct PlacementOptions {
  bool copy = false;  // "写真データ複製"
  QString data_folder;
  // The line (0..8) of the slot's text that receives the photo's shooting date as
  // "2026/12/09"; -1: none. A photo without a date leaves the line as it is.
  int date_line = -1;
};

// Puts `file` into slot `slot` (1..3) of the shown page. With `copy`, the file is first copied
// byte for byte into `data_folder` (FreeCopyPath) and the slot gets the copy's path; a photo
// that NeedsJpegCopy always gets its JPEG copy there instead. False, with a message in `error`
// and the slot unchanged, when the file is not a readable photo, the copy fails, or the album
// file cannot hold the path to store so that it names the same file again
// (UnstorablePathCharacter; the message names the character). `placed_path` receives the path
// stored in the slot.
bool PlacePhotoInSlot(AlbumCommands& commands, int slot, const QString& file,
                      const PlacementOptions& options, const Clock& clock, QString* error,
                      QString* placed_path = nullptr);
inline bool PlacePhotoInSlot(AlbumCommands& commands, int slot, const QString& file, bool copy,
                             const QString& data_folder, const Clock& clock, QString* error,
                             QString* placed_path = nullptr) {
  return PlacePhotoInSlot(commands, slot, file, PlacementOptions{copy, data_folder}, clock, error,
                          placed_path);
}

// The shooting date as a slot text line shows it.
QString ShotDateText(const QDateTime& shot);

// Empties slot `slot` (1..3): the path goes, the box stays; the file is not touched.
void ClearPhotoSlot(AlbumCommands& commands, int slot);

// Moves `file` to the desktop's trash. When the trash cannot take it (a disk whose top folder
// the user cannot write), asks before deleting it for good, No being the default. False when
// the file is still there afterwards: with a message in `error`, or with an empty one when the
// user kept it.
bool RemovePhotoFile(const QString& file, Prompter& prompter, QString* error);

}  // namespace komasu
