#pragma once
// Conversion between QString and the Japanese code page (CP932, "windows-31j") of album
// and settings files, plus the one check that keeps unstorable text out of them.

#include <QByteArray>
#include <QString>

namespace komasu {

// Linux input methods type 〜 − ‖ — ¢ £ ¬ where Windows types the look-alikes ～ － ∥ ― ￠ ￡ ￢;
// CP932 holds only the latter. Returns `text` with the former replaced by the latter, so typed
// text is stored as a Windows program would store it and reads back in the Windows forms.
QString WithWindowsForms(QStringView text);

// Encodes to CP932, the typed forms above as their Windows forms. Characters the code page
// cannot hold make `ok` false (when given); the returned bytes then must not reach a file.
QByteArray EncodeCp932(const QString& text, bool* ok = nullptr);
QString DecodeCp932(QByteArrayView bytes);

// The record separator of album pages and word lists.
inline constexpr char16_t kSeparator = u'ζ';

// What bytes CP932 cannot read (0x80, 0xA0, 0xFD-0xFF, a lead byte without its trail byte)
// decode to; it would be written back as 0x7F.
inline constexpr char16_t kUnreadable = u'\x1A';

// Returns an empty string when `text` can be stored in an album or settings file, otherwise a
// Japanese message naming the first character that cannot: the separator "ζ", the double
// quote, a character outside CP932, or one read from bytes CP932 cannot read. Line breaks are
// allowed only where `allow_line_breaks`. The typed forms above are storable.
QString UnstorableTextMessage(const QString& text, bool allow_line_breaks = false);

// The first character of a file path that keeps the album from storing it so that it names the
// same file when read back, or an empty string: the separator, the double quote, a line break
// ("改行"), the unreadable mark, a character outside CP932, or one of the typed forms above
// (stored as its Windows form, it would name another file).
QString UnstorablePathCharacter(const QString& path);

}  // namespace komasu
