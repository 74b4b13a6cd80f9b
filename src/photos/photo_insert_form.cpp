#include "photos/photo_insert_form.h"

#include <QDir>
#include <QFileInfo>

#include "album/album.h"
#include "commands/album_commands.h"
#include "photos/photo_batch.h"
#include "photos/photo_placement.h"
#include "platform/prompter.h"

namespace komasu {

namespace {
bool last_copy_choice = false;
QString last_photo_folder;
int last_date_line = -1;

bool Readable(const QString& folder) {
  const QFileInfo info(folder);
  return !folder.isEmpty() && info.isDir() && info.isReadable();
}
}  // namespace

QString LastPhotoFolder() { return last_photo_folder; }

bool LastCopyChoice() { return last_copy_choice; }
void SetLastCopyChoice(bool copy) { last_copy_choice = copy; }
int LastDateLine() { return last_date_line; }
void SetLastDateLine(int line) { last_date_line = line; }

PhotoInsertForm::PhotoInsertForm(AlbumCommands& commands, Prompter& prompter)
    : commands_(commands), album_(commands.Doc()), prompter_(prompter) {}

void PhotoInsertForm::Load() {
  commands_.SetModified(true);
  drives_ = ReadDriveSettings(album_.Folder().OptIni());
  for (int i = 1; i <= 3; ++i) captions_[static_cast<size_t>(i - 1)] = album_.Page().Photo(i).path;
}

QString PhotoInsertForm::StartFolder() const {
  for (const QString& folder : {last_photo_folder, drives_.data_folder}) {
    if (Readable(folder)) return folder;
  }
  return QDir::homePath();
}

std::optional<QString> PhotoInsertForm::JumpTarget(int index) {
  const QString& place = index == 1 ? drives_.camera : drives_.data_folder;
  const QFileInfo info(place);
  if (!place.isEmpty() && info.isDir() && info.isReadable()) return place;
  prompter_.Notify(QStringLiteral("デジタルカメラのメモリーカードが見つかりません。\r"
                                  "またはドライブが見つかりません！\r"
                                  "挿入してから再度実行してください。"),
                   QStringLiteral("警告"));
  return std::nullopt;
}

bool PhotoInsertForm::PutIntoSlot(int slot, bool copy, int date_line) {
  if (chosen_.isEmpty() || slot < 1 || slot > 3) return false;
  QString error;
  QString placed;
  if (!PlacePhotoInSlot(commands_, slot, chosen_, {copy, drives_.data_folder, date_line},
                        album_.TimeSource(), &error, &placed)) {
    if (!error.isEmpty()) prompter_.Notify(error, {}, MessageIcon::kExclamation);
    return false;
  }
  captions_[static_cast<size_t>(slot - 1)] = placed;
  last_photo_folder = QFileInfo(chosen_).absolutePath();
  chosen_ = placed;
  return true;
}

bool PhotoInsertForm::PutManyIntoSlots(int slot, const QStringList& files, bool copy, int date_line,
                                       const ProgressCallback& progress) {
  const int placed = PlaceManyPhotos(commands_, slot, files, {copy, drives_.data_folder, date_line},
                                     album_.TimeSource(), progress);
  for (int i = 1; i <= 3; ++i) captions_[static_cast<size_t>(i - 1)] = album_.Page().Photo(i).path;
  return placed > 0;
}

void PhotoInsertForm::ClearSlot(int slot) {
  if (slot < 1 || slot > 3) return;
  ClearPhotoSlot(commands_, slot);
  captions_[static_cast<size_t>(slot - 1)].clear();
}

bool PhotoInsertForm::DeleteChosen() {
  if (chosen_.isEmpty()) return false;
  if (!prompter_.AskYesNo(QStringLiteral("写真データが削除されます。"),
                          QStringLiteral("データ削除"), MessageIcon::kStop, true)) {
    return false;
  }
  QString error;
  if (!RemovePhotoFile(chosen_, prompter_, &error)) {
    if (!error.isEmpty()) prompter_.Notify(error, {}, MessageIcon::kExclamation);
    return false;
  }
  return true;
}

}  // namespace komasu
