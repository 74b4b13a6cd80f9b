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

TextBlockOffsets LayoutSettings::Offsets(PageSide side) const {
  const int k = side == PageSide::kLeftBound ? kLeftSideOffsets : kRightSideOffsets;
  return {At(k), At(k + 1), At(k + 2), At(k + 3), At(k + 4)};
}

CalloutSettings LayoutSettings::Callout() const {
  return {At(kCalloutWidth), At(kCalloutWidth + 1), At(kCalloutWidth + 2), At(kCalloutColor)};
}

PageSide LayoutSettings::SideFor(int page) const {
  switch (Binding()) {
    case 1:
      return PageSide::kLeftBound;
    case 2:
      return PageSide::kRightBound;
    default:
      return page % 2 != 0 ? PageSide::kLeftBound : PageSide::kRightBound;
  }
}

}  // namespace komasu
