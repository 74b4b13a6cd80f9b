#pragma once
// The value reader shared by every settings file (position.ini, fontinfo.ini, OPT.ini,
// list.ini): values end at a comma or a line end, leading and trailing blanks are dropped,
// and a value that starts with a double quote runs to the next double quote.

#include <QString>
#include <QStringList>

namespace komasu {

// At most `max_values` values are returned; further values are dropped.
QStringList ParseSettingsValues(const QString& text, int max_values);
// Settings files hold a few hundred bytes. Larger ones are refused instead of being read (and,
// for position.ini, read again on every page move).
inline constexpr qint64 kMaxSettingsFileBytes = 64 * 1024;
// list.ini holds ten categories of up to 5000 words each, far more than the other files: the
// word list and the settings migration read it up to this size.
inline constexpr qint64 kMaxListIniBytes = 8ll * 1024 * 1024;

// Reads a CP932 settings file. A missing file gives no values and no error; one that is not a
// regular file, is larger than `max_bytes` or cannot be read gives no values and says why in
// `error`.
QStringList ReadSettingsFile(const QString& path, int max_values, QString* error = nullptr,
                             qint64 max_bytes = kMaxSettingsFileBytes);

// Why each of `paths` cannot be read as a settings file, for a report at start-up; empty when
// every file is readable or missing.
QStringList SettingsFileProblems(const QStringList& paths);

}  // namespace komasu
