#pragma once
// Where the previous version lives on this desktop: inside a Wine prefix, whose "dosdevices"
// folder links each drive letter to a folder here ("c:" to drive_c, "e:" to where a card is
// mounted). Its Windows paths are read through those links.

#include <QString>
#include <QStringList>

namespace komasu {

// The Wine prefixes to look in, in order: $WINEPREFIX when it is set, then ".wine" in `home`.
QStringList WinePrefixes(const QString& home);

// The Wine prefix `folder` lies in: the nearest folder at or above it that holds "dosdevices";
// empty when there is none.
QString WinePrefixOf(const QString& folder);

// `windows_path` ("E:\", "C:\Program Files\…") as a path of this computer, through the drive
// links of `wine_prefix`; empty when it names no drive of the prefix (a network path, a drive
// without a link). A folder whose exact name does not exist is matched without regard to case,
// as Windows does; folders that do not exist are kept as written.
QString MapWindowsPath(const QString& windows_path, const QString& wine_prefix);

}  // namespace komasu
