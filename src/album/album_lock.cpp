#include "album/album_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include "platform/prompter.h"
#include "platform/regular_file.h"

namespace komasu {

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString SinceText(const LockHolder& holder) {
  return holder.since.isValid()
             ? holder.since.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"))
             : QString();
}

// "コンピューター「PC-2」で 2026/12/09 14:05 から"
QString WhereAndSince(const LockHolder& holder) {
  QString text = holder.host.isEmpty() ? QStringLiteral("他のコンピューターで")
                                       : QStringLiteral("コンピューター「%1」で").arg(holder.host);
  if (holder.since.isValid()) text += QStringLiteral(" %1 から").arg(SinceText(holder));
  return text;
}

// Another program of this computer holds the album: it is running, so only viewing is offered.
std::optional<OpenLock> AskReadOnly(const QString& path, Prompter& prompter) {
  if (!prompter.AskYesNo(
          QStringLiteral("アルバム「%1」は他のプログラムで使用中です。\n\n"
                         "読み取り専用で開きますか？\n"
                         "（表示と印刷だけができます。「いいえ」を選ぶと開きません。）")
              .arg(Shown(path)),
          QStringLiteral("使用中"), MessageIcon::kExclamation)) {
    return std::nullopt;
  }
  return OpenLock{nullptr, true};
}

// The lock comes from another computer (or says nothing of its computer). Whether that computer
// still has the album open cannot be known from here: a stick pulled after a crash leaves such a
// lock for good, so taking it over is offered, behind a second question defaulting to No.
std::optional<OpenLock> AskReadOnlyOrTakeOver(const QString& path, Prompter& prompter,
                                              std::unique_ptr<AlbumLock> lock) {
  const LockHolder holder = lock->Holder();
  const QString who = holder.host.isEmpty()
                          ? QStringLiteral("そのコンピューター")
                          : QStringLiteral("コンピューター「%1」").arg(holder.host);
  const QString text = QStringLiteral(
                           "アルバム「%1」は%2使用中です。\n\n"
                           "読み取り専用で開くと、表示と印刷だけができます。\n"
                           "%3でアルバムを閉じずに終わった（装置を抜いた、電源が切れた）ときは、"
                           "ロックを引き継いで編集できます。")
                           .arg(Shown(path), WhereAndSince(holder), who);
  const QStringList buttons = {QStringLiteral("読み取り専用で開く"),
                               QStringLiteral("ロックを引き継ぐ"), QStringLiteral("開かない")};
  for (;;) {
    const int choice =
        prompter.Choose(text, QStringLiteral("使用中"), MessageIcon::kExclamation, buttons);
    if (choice == 0) return OpenLock{nullptr, true};
    if (choice != 1) return std::nullopt;
    if (!prompter.AskYesNo(
            QStringLiteral("%1では、まだこのアルバムを編集しているかもしれません。\n"
                           "ロックを引き継ぐと、両方で書き込んだ変更が失われることがあります。\n\n"
                           "ロックを引き継いで編集しますか？")
                .arg(who),
            QStringLiteral("ロックの引き継ぎ"), MessageIcon::kWarning, true)) {
      continue;  // back to the choice
    }
    if (lock->TakeOver()) return OpenLock{std::move(lock), false};
    prompter.Notify(QStringLiteral("アルバム「%1」のロックを引き継げませんでした。\n"
                                   "%2でまだ使用中か、ロックファイルを削除する権限がありません。")
                        .arg(Shown(path), who),
                    QStringLiteral("使用中"), MessageIcon::kExclamation);
    return std::nullopt;
  }
}

}  // namespace

AlbumLock::AlbumLock(const QString& album_path)
    : lock_path_(LockPathFor(album_path)), lock_(lock_path_) {
  // Held as long as the album is open: only a lock whose program is gone is stale, never one
  // that is merely old.
  lock_.setStaleLockTime(0);
}

AlbumLock::Outcome AlbumLock::TryLock() {
  if (lock_.isLocked() || lock_.tryLock(0)) return Outcome::kLocked;
  return lock_.error() == QLockFile::LockFailedError ? Outcome::kInUse : Outcome::kUnavailable;
}

LockHolder AlbumLock::Holder() const {
  LockHolder holder;
  qint64 pid = 0;
  QString app;
  if (lock_.getLockInfo(&pid, &holder.host, &app)) {
    // The fourth line, when there, is the machine id Qt itself judges staleness by; two
    // computers may share a host name.
    const QList<QByteArray> lines = ReadRegularFile(lock_path_, 4096).bytes.split('\n');
    const QByteArray machine = QSysInfo::machineUniqueId();
    holder.this_computer =
        lines.size() > 3 && !lines[3].isEmpty()
            ? lines[3] == machine
            : !holder.host.isEmpty() && holder.host == QSysInfo::machineHostName();
  }
  holder.since = QFileInfo(lock_path_).lastModified();
  return holder;
}

bool AlbumLock::TakeOver() {
  if (lock_.isLocked()) return true;
  return lock_.removeStaleLockFile() && TryLock() == Outcome::kLocked;
}

QString AlbumLock::LockPathFor(const QString& album_path) {
  const QFileInfo info(album_path);
  const QString canonical = info.canonicalFilePath();
  const QFileInfo target(canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                             : canonical);
  return target.dir().filePath(QStringLiteral(".~%1.lock").arg(target.fileName()));
}

std::optional<LockHolder> AlbumInUseBy(const QString& path) {
  AlbumLock lock(path);
  if (lock.TryLock() != AlbumLock::Outcome::kInUse) return std::nullopt;
  return lock.Holder();
}

QString AlbumInUseText(const QString& path, const LockHolder& holder) {
  if (holder.this_computer) {
    QString text =
        QStringLiteral("アルバム「%1」はこのコンピューターの他のプログラムで").arg(Shown(path));
    if (holder.since.isValid()) text += QStringLiteral(" %1 から").arg(SinceText(holder));
    return text + QStringLiteral("使用中です。");
  }
  return QStringLiteral("アルバム「%1」は%2使用中です。").arg(Shown(path), WhereAndSince(holder));
}

std::optional<OpenLock> LockForOpening(const QString& path, Prompter& prompter,
                                       WriteAccess access) {
  switch (access) {
    case WriteAccess::kReadOnlyMedium:
    case WriteAccess::kReadOnlyFile:
      return OpenLock{nullptr, true};  // nobody can write it there, this program neither
    case WriteAccess::kFolderClosed:
      prompter.Notify(
          QStringLiteral("アルバム「%1」のあるフォルダには新しいファイルを作成できないため、"
                         "このアルバムは保存できません（保存するときは新しいファイルを書いてから"
                         "置き換えます）。\n\n"
                         "読み取り専用で開きます。変更するときは「名前を付けて保存」で、"
                         "書き込めるフォルダに保存してください。")
              .arg(Shown(path)),
          QStringLiteral("読み取り専用"), MessageIcon::kInformation);
      return OpenLock{nullptr, true};
    case WriteAccess::kWritable:
      break;
  }
  auto lock = std::make_unique<AlbumLock>(path);
  switch (lock->TryLock()) {
    case AlbumLock::Outcome::kLocked:
      return OpenLock{std::move(lock), false};
    case AlbumLock::Outcome::kUnavailable:
      return OpenLock{nullptr, false};  // nothing else can lock it either
    case AlbumLock::Outcome::kInUse:
      break;
  }
  if (lock->Holder().this_computer) return AskReadOnly(path, prompter);
  return AskReadOnlyOrTakeOver(path, prompter, std::move(lock));
}

}  // namespace komasu
