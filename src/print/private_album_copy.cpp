#include "print/private_album_copy.h"

#include <QDir>
#include <QFileInfo>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "platform/text_file.h"

namespace komasu {

std::unique_ptr<PrivateAlbumCopy> PrivateAlbumCopy::FromBytes(const QByteArray& album_bytes,
                                                              const QString& file_name,
                                                              const ProgramFolder& folder,
                                                              Prompter& prompter, QString* error) {
  std::unique_ptr<PrivateAlbumCopy> copy(new PrivateAlbumCopy());
  if (!copy->dir_.isValid()) {
    *error = QStringLiteral("作業用フォルダを作成できません。");
    return nullptr;
  }
  const ProgramFolder private_folder(copy->dir_.path());
  private_folder.TakeSettingsFrom(folder);
  // In a folder of its own, so no name of the user's can meet a settings file or back.apt.
  const QString album_folder = private_folder.File(QStringLiteral("album"));
  const QString path = album_folder + QLatin1Char('/') + QFileInfo(file_name).fileName();
  if (!QDir().mkpath(album_folder) || !WriteFileAtomically(path, album_bytes).ok) {
    *error = QStringLiteral("作業用のファイルを書き込めません。");
    return nullptr;
  }
  copy->album_ = std::make_unique<Album>(private_folder, prompter, copy->clock_);
  if (!copy->album_->OpenAlbumAt(path)) {
    *error = QStringLiteral("ファイル「%1」をアルバムとして開けません。").arg(file_name);
    return nullptr;
  }
  // What the main window does when it becomes active.
  copy->album_->ApplySettingsFiles();
  return copy;
}

std::unique_ptr<PrivateAlbumCopy> PrivateAlbumCopy::Of(Album& album, QString* error) {
  bool ok = false;
  QList<QByteArray> records = album.RecordsAsShown(&ok);
  // A cover or page holding a character the file cannot carry is taken as last saved.
  if (!ok) records = album.Records();
  const int shown = album.CurrentPage();
  std::unique_ptr<PrivateAlbumCopy> copy =
      FromBytes(JoinAlbumRecords(records), QFileInfo(album.Path()).fileName(), album.Folder(),
                album.Prompts(), error);
  if (!copy) return nullptr;
  if (shown >= 1 && shown <= copy->album().PageCount()) copy->album().SetCurrentPage(shown);
  return copy;
}

}  // namespace komasu
