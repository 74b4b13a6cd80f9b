#include "album/slot_text_font.h"

#include "platform/number_text.h"
#include "platform/settings_values.h"

namespace komasu {

QStringList ReadFontInfoValues(const ProgramFolder& folder) {
  return ReadSettingsFile(folder.FontInfoIni(), 11);
}

void ApplySlotTextFont(std::array<SlotTextLine, kSlotTextLines>& lines, const QStringList& v) {
  for (SlotTextLine& line : lines) {
    TextStyle& s = line.style;
    if (!v.value(0).isEmpty()) s.font_name = v.value(0);
    // The same bounds as sizes read from records: 1e30 would be written into every page.
    if (const auto size = ParseNumber(v.value(1)); size && IsFontSize(*size - 5)) {
      s.size = *size - 5;
    }
    if (const auto b = ParseBool(v.value(2))) s.strikethrough = *b;
    if (const auto b = ParseBool(v.value(3))) s.SetBold(*b);
    if (const auto b = ParseBool(v.value(4))) s.italic = *b;
    if (const auto c = ParseInt32(v.value(5))) s.color = *c;
  }
  for (int slot = 0; slot < kPhotoSlots; ++slot) {
    lines[static_cast<size_t>(kLinesPerSlot * slot)].style.size = 8;
    lines[static_cast<size_t>(kLinesPerSlot * slot + 1)].style.size = 6;
  }
}

}  // namespace komasu
