#include "photos/photo_places.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "platform/prompter.h"

namespace komasu {

namespace {

// Where desktops mount cards, sticks and phones.
bool LooksRemovable(const QString& root) {
  return root.startsWith(QStringLiteral("/media/")) ||
         root.startsWith(QStringLiteral("/run/media/")) ||
         root.startsWith(QStringLiteral("/mnt/")) || root.startsWith(QStringLiteral("/Volumes/"));
}

}  // namespace

QList<PhotoPlace> PhotoPlaces() {
  QList<PhotoPlace> removable;
  QList<PhotoPlace> fixed;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid()) continue;
    const QString root = volume.rootPath();
    const bool is_removable = LooksRemovable(root);
    QString caption = QDir::toNativeSeparators(root);
    if (!volume.displayName().isEmpty() && volume.displayName() != root) {
      caption += QStringLiteral(" [%1]").arg(volume.displayName());
    }
    (is_removable ? removable : fixed).append({root, caption, is_removable});
  }
  const QString home = QDir::homePath();
  fixed.prepend({home, QStringLiteral("ホーム (%1)").arg(QDir::toNativeSeparators(home)), false});
  return removable + fixed;
}

QString PlaceProblem(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists()) {
    return QStringLiteral("ドライブが見つかりません。\r%1").arg(QDir::toNativeSeparators(path));
  }
  if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
    return QStringLiteral("ドライブを読み込めません。\r%1").arg(QDir::toNativeSeparators(path));
  }
  return {};
}

int ChoosePlace(const QList<PhotoPlace>& places, int previous, int wanted, Prompter& prompter) {
  if (wanted < 0 || wanted >= places.size()) return previous;
  if (const QString problem = PlaceProblem(places[wanted].path); !problem.isEmpty()) {
    prompter.Notify(problem, {}, MessageIcon::kExclamation);
    return previous;
  }
  return wanted;
}

}  // namespace komasu
