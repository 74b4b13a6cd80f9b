#include "album/guide_rules.h"

#include <initializer_list>

namespace komasu {

namespace {

// First line number of each slot's group of twelve.
constexpr int kGroupStarts[3] = {1, 13, 25};

void SetNoMarks(PageDecor& decor, bool visible) {
  for (NoMark& m : decor.no_marks) m.visible = visible;
}

void SetRange(PageDecor& decor, int first, int last, bool visible) {
  for (int n = first; n <= last; ++n) decor.Rule(n).visible = visible;
}

}  // namespace

void HideRules(PageDecor& decor) {
  SetRange(decor, 1, kRuleLines, false);
  SetNoMarks(decor, false);
}

void ShowFrameRules(PageDecor& decor) {
  SetRange(decor, 1, kRuleLines, true);
  for (int n : {3, 5, 12, 15, 17, 24, 27, 29, 36}) decor.Rule(n).width = 2;
  for (int k : kGroupStarts) decor.Rule(k + 3).dotted = true;
  SetNoMarks(decor, true);
}

void HideInnerRules(PageDecor& decor) {
  for (int k : kGroupStarts) SetRange(decor, k + 2, k + 11, false);
  SetNoMarks(decor, false);
}

void ShowUnderlineRules(PageDecor& decor) {
  for (int k : kGroupStarts) {
    SetRange(decor, k + 3, k + 11, true);
    decor.Rule(k + 3).dotted = false;
    decor.Rule(k + 4).width = 1;
    decor.Rule(k + 11).width = 1;
  }
  SetNoMarks(decor, true);
}

void Check3Click(const PageContent& page, PageDecor& decor) {
  if (page.guide_lines == 0) {
    decor.style_enabled = false;
    HideRules(decor);
    HideInnerRules(decor);
    return;
  }
  decor.style_enabled = true;
  if (page.rule_style == RuleStyle::kUnderline) {
    ShowUnderlineRules(decor);
  } else {
    ShowFrameRules(decor);
  }
}

void Option1Click(const PageContent& page, PageDecor& decor) {
  HideRules(decor);
  const bool selected = page.rule_style == RuleStyle::kUnderline;
  if (selected && page.guide_lines != 0) ShowUnderlineRules(decor);
  if (!selected) HideInnerRules(decor);
}

void Option3Click(const PageContent& page, PageDecor& decor) {
  HideInnerRules(decor);
  const bool selected = page.rule_style == RuleStyle::kFrame;
  if (selected && page.guide_lines != 0) ShowFrameRules(decor);
  if (!selected) HideRules(decor);
}

void SetGuideSwitch(PageContent& page, PageDecor& decor, bool ticked) {
  const int value = ticked ? 1 : 0;
  if (page.guide_lines == value) return;
  page.guide_lines = value;
  Check3Click(page, decor);
}

void SelectRuleStyle(PageContent& page, PageDecor& decor, RuleStyle style) {
  if (page.rule_style == style) return;
  page.rule_style = style;
  if (style == RuleStyle::kUnderline) {
    Option1Click(page, decor);
  } else {
    Option3Click(page, decor);
  }
}

}  // namespace komasu
