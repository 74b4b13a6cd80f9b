#pragma once
// The value reader shared by every settings file (position.ini, fontinfo.ini, OPT.ini,
// list.ini): values end at a comma or a line end, leading and trailing blanks are dropped,
// and a value that starts with a double quote runs to the next double quote.

#include <QString>
#include <QStringList>

namespace komasu {

// At most `max_values` values are returned; further values are dropped.
QStringList ParseSettingsValues(const QString& text, int max_values);
// Reads a CP932 settings file; a missing file gives no values.
QStringList ReadSettingsFile(const QString& path, int max_values);

}  // namespace komasu
