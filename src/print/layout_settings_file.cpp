#include "print/layout_settings_file.h"

#include "album/layout_settings.h"
#include "platform/number_text.h"
#include "platform/settings_values.h"

namespace komasu {

QStringList ReadPositionTexts(const QString& position_ini) {
  return ReadSettingsFile(position_ini, LayoutSettings::kSlots);
}

SlotTextFont SlotTextFontFromValues(const QStringList& values, SlotTextFont font) {
  if (values.size() > 0) font.name = values[0];
  if (const auto v = ParseSingle(values.value(1)); v && IsFontSize(*v)) font.size = *v;
  if (const auto v = ParseBool(values.value(2))) font.strikethrough = *v;
  if (const auto v = ParseBool(values.value(3))) font.bold = *v;
  if (const auto v = ParseBool(values.value(4))) font.italic = *v;
  if (const auto v = ParseInt32(values.value(5))) font.color = *v;
  return font;
}

SlotTextFont ReadSlotTextFont(const QString& fontinfo_ini, SlotTextFont font) {
  return SlotTextFontFromValues(ReadSettingsFile(fontinfo_ini, LayoutSettings::kSlots),
                                std::move(font));
}

QStringList FontInfoLines(const SlotTextFont& font) {
  return {font.name,
          FormatSingle(font.size),
          FormatBool(font.strikethrough),
          FormatBool(font.bold),
          FormatBool(font.italic),
          FormatInt(font.color)};
}

WriteResult WritePositionIni(const QString& position_ini, const QStringList& texts) {
  if (texts.size() != kPositionValues) {
    return {false, QStringLiteral("印刷位置の設定値が%1個ではありません。").arg(kPositionValues)};
  }
  return WriteTextLines(position_ini, texts);
}

WriteResult WriteFontInfoIni(const QString& fontinfo_ini, const SlotTextFont& font) {
  return WriteTextLines(fontinfo_ini, FontInfoLines(font));
}

}  // namespace komasu
