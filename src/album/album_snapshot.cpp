#include "album/album_snapshot.h"

#include <QCryptographicHash>
#include <QDir>

#include "platform/prompter.h"
#include "platform/text_file.h"

namespace komasu {

namespace {

QByteArray Sha256(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

}  // namespace

bool AlbumSnapshot::Take(const QString& album) {
  taken_.reset();
  bool ok = false;
  const QByteArray bytes = ReadFileBytes(album, &ok);
  return ok && TakeBytes(album, bytes);
}

bool AlbumSnapshot::TakeBytes(const QString& album, const QByteArray& bytes) {
  taken_.reset();
  if (!WriteFileAtomically(back_apt_, bytes).ok) return false;
  taken_ = Taken{album, bytes.size(), Sha256(bytes)};
  return true;
}

void AlbumSnapshot::Renew(const QString& album) {
  const std::optional<Taken> before = taken_;
  if (!Take(album)) taken_ = before;
}

std::optional<QByteArray> AlbumSnapshot::BytesToRestore(const QString& album) {
  if (album.isEmpty() || !IsOf(album)) return std::nullopt;
  // Read once, checked and written from the same bytes: another copy of the program may
  // replace back.apt at any moment.
  bool ok = false;
  QByteArray bytes = ReadFileBytes(back_apt_, &ok);
  if (!ok || bytes.size() != taken_->size || Sha256(bytes) != taken_->sha256) {
    prompter_.Notify(
        QStringLiteral("バックアップファイル（back.apt）が他のアルバムなどで置き換えられたため、"
                       "アルバム「%1」の変更を元に戻せません。\n"
                       "アルバムは最後に書き込まれた内容のままです。")
            .arg(QDir::toNativeSeparators(album)),
        ApplicationTitle(), MessageIcon::kExclamation);
    return std::nullopt;
  }
  return bytes;
}

void AlbumSnapshot::ReportTakeFailed() {
  prompter_.Notify(
      QStringLiteral("バックアップファイル（back.apt）を作成できませんでした。"
                     "閉じるときに保存しなくても、変更は元に戻せません。"),
      ApplicationTitle(), MessageIcon::kExclamation);
}

}  // namespace komasu
