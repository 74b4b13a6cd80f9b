#include "album/layout_settings.h"

#include "platform/settings_values.h"

namespace komasu {

void LayoutSettings::Read(const QString& position_ini) {
  StoreInt16Values(ReadSettingsFile(position_ini, kSlots), values_);
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
