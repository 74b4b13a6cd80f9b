#pragma once
// The photo insert dialog without widgets: the drive settings read at opening, the chosen
// file, the three slot path captions and the commands (jumps, put into a slot, empty a slot,
// delete the chosen file). It always acts on the page the album shows at the moment.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "album/drive_settings.h"
#include "commands/page_walk.h"

namespace komasu {

class Album;
class AlbumCommands;
class Prompter;

// The file list's pattern; matched without regard to case (cameras write ".JPG").
inline const QStringList kPhotoFilePatterns = {QStringLiteral("*.jpg"),  QStringLiteral("*.jpeg"),
                                               QStringLiteral("*.bmp"),  QStringLiteral("*.heic"),
                                               QStringLiteral("*.heif"), QStringLiteral("*.png")};

// "写真データ複製" as last ticked in this run of the program (off at start); photos dropped on
// the page view are copied the same way.
bool LastCopyChoice();
void SetLastCopyChoice(bool copy);
// "撮影日を記入": the slot text line (1..8) that receives a placed photo's shooting date as last
// chosen in this run of the program; -1 (off) at start. Drops follow it too.
int LastDateLine();
void SetLastDateLine(int line);

// The folder the last photo put into a slot through the dialog came from, in this run of the
// program (empty at start).
QString LastPhotoFolder();

class PhotoInsertForm {
 public:
  PhotoInsertForm(AlbumCommands& commands, Prompter& prompter);

  // Opening: marks the album modified, reads OPT.ini and takes the slot paths of the shown
  // page for the captions.
  void Load();

  const DriveSettings& Drives() const { return drives_; }
  // The folder the dialog opens at: where the last photo came from, else the data folder,
  // else the home folder; only a folder that can be read.
  QString StartFolder() const;
  // The caption beside slot 1..3.
  const QString& SlotCaption(int slot) const { return captions_.at(static_cast<size_t>(slot - 1)); }
  const QString& ChosenFile() const { return chosen_; }
  void Choose(const QString& path) { chosen_ = path; }

  // "デジタルカメラ" (1) and "データフォルダ" (2): the folder to show, or nothing after the
  // "警告" message when the place is missing.
  std::optional<QString> JumpTarget(int index);

  // "上-設定" / "中-設定" / "下-設定": puts the chosen file (with `copy`, its copy in the data
  // folder) into slot 1..3 of the shown page, its shooting date into line `date_line` (-1:
  // none). False when nothing changed; a reason is shown.
  bool PutIntoSlot(int slot, bool copy, int date_line = -1);
  // The same with several files chosen: they fill the empty slots from `slot` on
  // (PlaceManyPhotos). True when any was placed.
  bool PutManyIntoSlots(int slot, const QStringList& files, bool copy, int date_line,
                        const ProgressCallback& progress = {});
  // "解除".
  void ClearSlot(int slot);
  // "写真消去": asks, then moves the chosen file to the trash (asking again before deleting it
  // for good where the trash cannot take it). True when the file went.
  bool DeleteChosen();

 private:
  AlbumCommands& commands_;
  Album& album_;
  Prompter& prompter_;
  DriveSettings drives_;
  std::array<QString, 3> captions_;
  QString chosen_;
};

}  // namespace komasu
