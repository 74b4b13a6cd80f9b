#pragma once
// The values of position.ini as the page layout and the renderer use them (51 16-bit slots;
// the callout colour, value 18, holds a 24-bit RGB value and is read as 32-bit so that blue,
// cyan and yellow are not dropped), and the choice of left-bound or right-bound layout.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace komasu {

enum class PageSide { kLeftBound, kRightBound };

class LayoutSettings {
 public:
  static constexpr int kSlots = 51;

  static constexpr int kCalloutColor = 18;

  LayoutSettings() : values_(kSlots, 0) {}

  // Re-reads position.ini; slots whose value is missing or does not convert keep their value.
  void Read(const QString& position_ini);

  int32_t operator[](int k) const { return values_.at(static_cast<size_t>(k)); }
  void Set(int k, int32_t v) { values_.at(static_cast<size_t>(k)) = v; }

  // Value 19: 0 odd pages left-bound and even pages right-bound, 1 always left-bound, 2 always
  // right-bound; any other value chooses nothing.
  std::optional<PageSide> SideFor(int page) const;

 private:
  std::vector<int32_t> values_;
};

}  // namespace komasu
