#pragma once
// The values of position.ini as the page layout and the renderer use them, under their names
// (51 16-bit slots are read; the callout colour, value 18, holds a 24-bit RGB value and is read
// as 32-bit so that blue, cyan and yellow are not dropped), and the choice of left-bound or
// right-bound layout.

#include <QString>
#include <cstdint>
#include <vector>

namespace komasu {

enum class PageSide { kLeftBound, kRightBound };

// The offsets (mm) of the printed text column, rules and free labels of one page side.
struct TextBlockOffsets {
  int32_t x = 0, y = 0;                     // the whole block
  int32_t top = 0, middle = 0, bottom = 0;  // extra vertical offsets of the three slots
};

// How callout lines are drawn: the printed pen width (printer device units), the arrow-head
// stroke length (twips) and angle (degrees) of a new line, and the colour (RGB, red in the low
// byte).
struct CalloutSettings {
  int32_t width = 2;
  int32_t arrow_length = 100;
  int32_t arrow_angle = 20;
  int32_t color = 0;
  bool operator==(const CalloutSettings&) const = default;
};

class LayoutSettings {
 public:
  static constexpr int kSlots = 51;
  // Value numbers (line k + 1 of position.ini holds value k).
  enum Value : int {
    kLeftSideOffsets = 0,   // values 0..4
    kRightSideOffsets = 5,  // values 5..9
    kRulePenWidth = 10,
    kPhotoOffsetX = 11,
    kPhotoOffsetY = 12,
    kPhotoScale = 13,
    kLabelBackground = 14,
    kCalloutWidth = 15,  // values 15..18: the callout settings
    kCalloutColor = 18,
    kBinding = 19,
  };

  LayoutSettings() : values_(kSlots, 0) {}

  // Re-reads position.ini; slots whose value is missing or does not convert keep their value.
  void Read(const QString& position_ini);
  void Set(int k, int32_t v) { values_.at(static_cast<size_t>(k)) = v; }

  // The block offsets of the side's set: values 0..4 for left-bound pages, 5..9 for right-bound.
  TextBlockOffsets Offsets(PageSide side) const;
  int32_t RulePenWidth() const { return At(kRulePenWidth); }
  // Photo box offsets in mm and size in percent.
  int32_t PhotoOffsetX() const { return At(kPhotoOffsetX); }
  int32_t PhotoOffsetY() const { return At(kPhotoOffsetY); }
  int32_t PhotoScalePercent() const { return At(kPhotoScale); }
  // Free-label background code: 1 "白抜き", anything else "透明".
  int32_t LabelBackground() const { return At(kLabelBackground); }
  CalloutSettings Callout() const;
  int32_t Binding() const { return At(kBinding); }
  // Value k as read, for code that walks every value.
  int32_t At(int k) const { return values_.at(static_cast<size_t>(k)); }

  // The binding: 1 always left-bound, 2 always right-bound; 0 and any other value odd pages
  // left-bound and even pages right-bound, on screen and in print alike.
  PageSide SideFor(int page) const;

 private:
  std::vector<int32_t> values_;
};

}  // namespace komasu
