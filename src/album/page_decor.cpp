#include "album/page_decor.h"

namespace komasu {

namespace {
constexpr float kGroupTops[3] = {1120, 3765, 6435};
constexpr float kNoMarkTops[3] = {1170, 3810, 6480};
}  // namespace

PageDecor::PageDecor() {
  for (int g = 0; g < 3; ++g) {
    const int k = 1 + kRulesPerSlot * g;
    const float y0 = kGroupTops[g];
    Rule(k) = {0, y0, 0, y0 + 2160, false, 2, false};
    Rule(k + 1) = {0, y0, 0, y0 + 2160, false, 2, false};
    Rule(k + 2) = {0, y0, 0, y0, false, 2, false};
    Rule(k + 3) = {0, y0 + 240, 0, y0 + 240, false, 1, true};
    Rule(k + 4) = {0, y0 + 480, 0, y0 + 480, false, 2, false};
    for (int j = k + 5; j <= k + 10; ++j) {
      const float y = y0 + 240.0f * static_cast<float>(j - k - 2);
      Rule(j) = {0, y, 0, y, false, 1, false};
    }
    Rule(k + 11) = {0, y0 + 2160, 0, y0 + 2160, false, 2, false};
    no_marks[g].top = kNoMarkTops[g];
  }
}

void PageDecor::SetColumn(float left_edge, float right_edge) {
  for (int g = 0; g < 3; ++g) {
    const int k = 1 + kRulesPerSlot * g;
    Rule(k).x1 = Rule(k).x2 = left_edge;
    Rule(k + 1).x1 = Rule(k + 1).x2 = right_edge;
    Rule(k + 2).x1 = left_edge;
    Rule(k + 2).x2 = right_edge;
    Rule(k + 3).x1 = left_edge;
    Rule(k + 3).x2 = left_edge + 940;
    for (int j = k + 4; j <= k + 11; ++j) {
      Rule(j).x1 = left_edge;
      Rule(j).x2 = right_edge;
    }
    no_marks[g].left = left_edge + 70;
  }
}

}  // namespace komasu
