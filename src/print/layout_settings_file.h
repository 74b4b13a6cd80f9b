#pragma once
// The two layout settings files of the program folder: position.ini (twenty values, one per
// line) and fontinfo.ini (the default slot text font), read by the shared value reader and
// written whole, atomically, in CP932 with CR LF.

#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/text_file.h"

namespace komasu {

inline constexpr int kPositionValues = 20;

// The default font of the slot text lines, as fontinfo.ini stores it.
struct SlotTextFont {
  QString name = QStringLiteral("ＭＳ Ｐゴシック");
  float size = 9.75f;
  bool strikethrough = false;
  bool bold = false;
  bool italic = false;
  int32_t color = 0;  // RGB, red in the low byte
  bool operator==(const SlotTextFont&) const = default;
};

// The values of position.ini as texts (up to 51); empty when the file is missing.
QStringList ReadPositionTexts(const QString& position_ini);

// Reads fontinfo.ini over `font`: a missing value, or one that does not convert, keeps the
// attribute of `font`.
SlotTextFont ReadSlotTextFont(const QString& fontinfo_ini, SlotTextFont font = {});
// Applies already read fontinfo.ini values (name, size, strikethrough, bold, italic, colour).
SlotTextFont SlotTextFontFromValues(const QStringList& values, SlotTextFont font = {});

// The six lines of fontinfo.ini for `font`.
QStringList FontInfoLines(const SlotTextFont& font);

// Writes the twenty texts as typed, one per line. Refuses anything but twenty texts.
WriteResult WritePositionIni(const QString& position_ini, const QStringList& texts);
WriteResult WriteFontInfoIni(const QString& fontinfo_ini, const SlotTextFont& font);

}  // namespace komasu
