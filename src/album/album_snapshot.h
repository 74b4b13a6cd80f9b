#pragma once
// back.apt: the copy of the album taken at opening and at each save, restored when the user
// closes without saving. back.apt is shared by every copy of the program using the same
// program folder, so only the very bytes this album took are ever restored.

#include <QByteArray>
#include <QString>
#include <optional>

namespace komasu {

class Prompter;

class AlbumSnapshot {
 public:
  AlbumSnapshot(QString back_apt, Prompter& prompter)
      : back_apt_(std::move(back_apt)), prompter_(prompter) {}

  // Copies `album` to back.apt. False when it could not be copied; there is then no snapshot
  // (back.apt may hold another album, which must never be restored over this one).
  bool Take(const QString& album);
  // Take, from the bytes just read from `album`.
  bool TakeBytes(const QString& album, const QByteArray& bytes);
  // Take, keeping the snapshot taken before when the new one cannot be taken (back.apt is
  // replaced atomically, so it still holds those bytes).
  void Renew(const QString& album);
  // Forgets the snapshot: a read-only album leaves back.apt to the program that writes it.
  void Drop() { taken_.reset(); }
  // Whether back.apt holds a snapshot of `album` this program took.
  bool IsOf(const QString& album) const { return taken_ && taken_->of == album; }
  // Reads back.apt once and, when it still holds the bytes taken of `album`, returns them;
  // otherwise the user is told and nothing is returned.
  std::optional<QByteArray> BytesToRestore(const QString& album);
  void ReportTakeFailed();

 private:
  struct Taken {
    QString of;
    qint64 size = -1;
    QByteArray sha256;
  };
  QString back_apt_;
  Prompter& prompter_;
  std::optional<Taken> taken_;
};

}  // namespace komasu
