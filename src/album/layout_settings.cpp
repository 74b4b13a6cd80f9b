#include "album/layout_settings.h"

#include "platform/number_text.h"
#include "platform/settings_values.h"

namespace komasu {

void LayoutSettings::Read(const QString& position_ini) {
  const QStringList values = ReadSettingsFile(position_ini, kSlots);
  for (int k = 0; k < values.size(); ++k) {
    if (k == kCalloutColor) {
      if (const auto v = ParseInt32(values[k])) values_[k] = *v;
    } else if (const auto v = ParseInt16(values[k])) {
      values_[k] = *v;
    }
  }
}

std::optional<PageSide> LayoutSettings::SideFor(int page) const {
  switch ((*this)[19]) {
    case 0:
      return page % 2 != 0 ? PageSide::kLeftBound : PageSide::kRightBound;
    case 1:
      return PageSide::kLeftBound;
    case 2:
      return PageSide::kRightBound;
    default:
      return std::nullopt;
  }
}

}  // namespace komasu
