#include "migrate/wine_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace komasu {

namespace {

// `name` in `folder`; when no entry has exactly that name but one differs only in case, that one.
QString ChildIgnoringCase(const QString& folder, const QString& name) {
  const QDir dir(folder);
  if (!dir.exists(name)) {
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
      if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    }
  }
  return dir.filePath(name);
}

}  // namespace

QStringList WinePrefixes(const QString& home) {
  QStringList prefixes;
  const QString chosen = qEnvironmentVariable("WINEPREFIX");
  if (!chosen.isEmpty()) prefixes.append(QDir::cleanPath(chosen));
  prefixes.append(QDir(home).filePath(QStringLiteral(".wine")));
  return prefixes;
}

QString WinePrefixOf(const QString& folder) {
  if (folder.isEmpty()) return {};
  QDir dir(QFileInfo(folder).absoluteFilePath());
  do {
    if (QFileInfo(dir.filePath(QStringLiteral("dosdevices"))).isDir()) return dir.path();
  } while (dir.cdUp());
  return {};
}

QString MapWindowsPath(const QString& windows_path, const QString& wine_prefix) {
  static const QRegularExpression drive_path(QStringLiteral(R"(^([A-Za-z]):(?:[\\/](.*))?$)"));
  const QRegularExpressionMatch match = drive_path.match(windows_path);
  if (wine_prefix.isEmpty() || !match.hasMatch()) return {};
  const QFileInfo drive(
      QDir(wine_prefix)
          .filePath(QStringLiteral("dosdevices/") + match.captured(1).toLower() + u':'));
  // A drive's link may point at a card that is not inserted now: it still says where it goes.
  QString path;
  if (drive.isSymLink()) {
    path = drive.symLinkTarget();
  } else if (drive.isDir()) {
    path = drive.absoluteFilePath();
  } else {
    return {};
  }
  static const QRegularExpression separator(QStringLiteral(R"([\\/])"));
  for (const QString& part : match.captured(2).split(separator, Qt::SkipEmptyParts)) {
    path = ChildIgnoringCase(path, part);
  }
  return QDir::cleanPath(path);
}

}  // namespace komasu
