#pragma once
// A private, temporary copy of an album with its own program folder, for output that must leave
// the album file and the snapshot in the program folder alone: a run of printed pages moves
// through the pages and writes each one back, which on the copy touches nothing of the user's.

#include <QTemporaryDir>
#include <memory>

#include "album/album.h"
#include "platform/clock.h"

namespace komasu {

class PrivateAlbumCopy {
 public:
  // Opens a copy of the album file bytes `album_bytes`, named `file_name` as the original is,
  // with the settings files of `folder`. Null when it cannot be made; `error` then says why.
  static std::unique_ptr<PrivateAlbumCopy> FromBytes(const QByteArray& album_bytes,
                                                     const QString& file_name,
                                                     const ProgramFolder& folder,
                                                     Prompter& prompter, QString* error);
  // A copy of the open album as the editor shows it: its file with the cover fields and the
  // shown page as they are now, saved or not; the settings files are applied to both copies as
  // the main window applies them when it becomes active.
  static std::unique_ptr<PrivateAlbumCopy> Of(Album& album, QString* error);

  Album& album() { return *album_; }

 private:
  PrivateAlbumCopy() = default;

  QTemporaryDir dir_;
  SystemClock clock_;
  std::unique_ptr<Album> album_;
};

}  // namespace komasu
