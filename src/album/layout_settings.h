#pragma once
// The values of position.ini as the page layout and the renderer use them (51 16-bit slots),
// and the choice of left-bound or right-bound layout they make for a page.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace komasu {

enum class PageSide { kLeftBound, kRightBound };

class LayoutSettings {
 public:
  static constexpr int kSlots = 51;

  LayoutSettings() : values_(kSlots, 0) {}

  // Re-reads position.ini; slots whose value is missing or does not convert keep their value.
  void Read(const QString& position_ini);

  int16_t operator[](int k) const { return values_.at(static_cast<size_t>(k)); }
  void Set(int k, int16_t v) { values_.at(static_cast<size_t>(k)) = v; }

  // Value 19: 0 odd pages left-bound and even pages right-bound, 1 always left-bound, 2 always
  // right-bound; any other value chooses nothing.
  std::optional<PageSide> SideFor(int page) const;

 private:
  std::vector<int16_t> values_;
};

}  // namespace komasu
