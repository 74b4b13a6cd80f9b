#pragma once
// The guide rules of the text column: the four operations that show and hide the 36 rule lines
// and the "No." marks, the handlers of "補助線" (Check3), "下　線" (Option1) and "枠　線"
// (Option3), and the setters through which the user and the page loader change the switch and
// the style, firing a handler only when the value changes.

#include "album/page_content.h"
#include "album/page_decor.h"

namespace komasu {

// Hides all 36 rule lines and the "No." marks.
void HideRules(PageDecor& decor);
// Shows all 36 lines and the "No." marks: edges, top line and first text rule of width 2, the
// "No." row's rule dotted.
void ShowFrameRules(PageDecor& decor);
// Hides everything but the six vertical edges, and the "No." marks.
void HideInnerRules(PageDecor& decor);
// Shows the "No." row's rule and the text rules of each slot, all solid and of width 1.
void ShowUnderlineRules(PageDecor& decor);

// The handlers of the three controls; they read the page's switch and style.
void Check3Click(const PageContent& page, PageDecor& decor);
void Option1Click(const PageContent& page, PageDecor& decor);
void Option3Click(const PageContent& page, PageDecor& decor);

// Ticks or unticks "補助線"; Check3Click runs when the value changes.
void SetGuideSwitch(PageContent& page, PageDecor& decor, bool ticked);
// Selects "下　線" or "枠　線"; the selected option's handler runs when the style changes.
void SelectRuleStyle(PageContent& page, PageDecor& decor, RuleStyle style);

}  // namespace komasu
