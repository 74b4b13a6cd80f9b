#pragma once
// The number and boolean text forms of album records and settings files, written and read
// exactly as files from earlier versions hold them.

#include <QString>
#include <cstdint>
#include <optional>

namespace komasu {

// Single-precision value in general form: at most seven significant digits, "." as decimal
// point, no trailing zeros, exponent form ("1.234568E+07") only for very large or small values.
QString FormatSingle(float value);
// Font size in points: fixed point with at most four decimals, trailing zeros dropped ("8.25").
QString FormatFontSize(double points);
QString FormatBool(bool value);  // "True" / "False"
QString FormatInt(qint64 value);

// The leading number of a text ("12.5abc" → 12.5, "  -3" → -3); 0 when it does not begin
// with a number.
double LeadingNumber(const QString& text);

// Whole text is a number: optional blanks, sign, digits with an optional decimal point and an
// optional exponent. Empty and partly numeric texts are not numbers.
bool IsNumeric(const QString& text);
std::optional<double> ParseNumber(const QString& text);

// Strict conversions that fail on non-numeric text or a value out of range; integers round
// half to even.
std::optional<float> ParseSingle(const QString& text);
std::optional<int16_t> ParseInt16(const QString& text);
std::optional<int32_t> ParseInt32(const QString& text);
// "True"/"False" in any letter case, or a number (0 is false).
std::optional<bool> ParseBool(const QString& text);

// A number as the user typed it. An input method in full-width mode gives "１０", "－３" or
// "１．５"; the full-width forms and the ideographic space read as their ASCII forms. Only typed
// entries go through this; values in files keep the reading rules above.
QString AsciiNumberText(const QString& typed);
std::optional<double> ParseTypedNumber(const QString& typed);

// Font sizes in points that records and settings files may set: above 0 and below 2048.
inline constexpr double kMaxFontPoints = 2048;
inline bool IsFontSize(double points) { return points > 0 && points < kMaxFontPoints; }

// Rounds half to even, as integer conversions of the file formats do.
double RoundHalfEven(double value);

}  // namespace komasu
