#pragma once
// The value reader shared by every settings file (position.ini, fontinfo.ini, OPT.ini,
// list.ini): values end at a comma or a line end, leading and trailing blanks are dropped,
// and a value that starts with a double quote runs to the next double quote.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace komasu {

// At most `max_values` values are returned; further values are dropped.
QStringList ParseSettingsValues(const QString& text, int max_values);
// Reads a CP932 settings file; a missing file gives no values.
QStringList ReadSettingsFile(const QString& path, int max_values);

// Stores values into 16-bit integer slots from index 0: a value that is not a number or
// lies outside -32768..32767 after rounding half to even leaves its slot unchanged, and so
// does a missing value.
void StoreInt16Values(const QStringList& values, std::vector<int16_t>& targets);

}  // namespace komasu
