#pragma once
// The text column's guide rules (Line1..Line36) and the three "No." marks: drawn on the page
// view and in print, never stored in a page record. Geometry is in twips of the page view.

#include <array>
#include <cstddef>

namespace komasu {

struct RuleLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool visible = false;
  int width = 1;
  bool dotted = false;
  bool operator==(const RuleLine&) const = default;
};

struct NoMark {
  float left = 0, top = 0;
  bool visible = false;
  bool operator==(const NoMark&) const = default;
};

inline constexpr int kRuleLines = 36;
inline constexpr int kRulesPerSlot = 12;

struct PageDecor {
  std::array<RuleLine, kRuleLines> rules;  // LineN at [N - 1]
  std::array<NoMark, 3> no_marks;          // NOB(0..2)
  bool guide_switch_enabled = false;       // "補助線" can be used once a page is shown
  bool style_enabled = false;              // "下　線" / "枠　線" follow the switch

  PageDecor();
  bool operator==(const PageDecor&) const = default;
  RuleLine& Rule(int n) { return rules.at(static_cast<std::size_t>(n - 1)); }
  const RuleLine& Rule(int n) const { return rules.at(static_cast<std::size_t>(n - 1)); }
  // Sets the x coordinates of the rules and the "No." marks for the text column L..R.
  void SetColumn(float left_edge, float right_edge);
};

}  // namespace komasu
