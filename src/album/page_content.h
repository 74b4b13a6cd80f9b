#pragma once
// The shown page as a value: every element an album page record stores, with the index
// ranges of the record layout (10 photo elements, 27 slot text lines, 100 free labels of
// which 1..19 are stored, 15 callout lines with two arrow strokes each). Geometry is in twips
// of the page view.

#include <QString>
#include <array>
#include <cstdint>

namespace komasu {

// The system window-text colour reference (0x80000008), as signed 32-bit.
inline constexpr int32_t kWindowTextColor = static_cast<int32_t>(0x80000008u);

struct TextStyle {
  QString font_name = QStringLiteral("ＭＳ Ｐゴシック");
  double size = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int16_t weight = 400;
  int16_t charset = 128;
  int32_t color = kWindowTextColor;

  // Boldness and weight move together, as with a font object: setting bold sets 400 / 700,
  // setting the weight decides boldness.
  void SetBold(bool on) {
    bold = on;
    weight = on ? 700 : 400;
  }
  void SetWeight(int16_t w) {
    weight = w;
    bold = w > 550;
  }
  bool operator==(const TextStyle&) const = default;
};

enum class RuleStyle { kUnderline = 0, kFrame = 1 };

struct PhotoElement {
  float left = 6840, top = 360, width = 375, height = 375;
  QString path;
  bool visible = false;
  bool operator==(const PhotoElement&) const = default;
};

struct SlotTextLine {
  QString text;
  TextStyle style;
  bool visible = false;
  float left = 0;  // set by the page layout
  bool operator==(const SlotTextLine&) const = default;
};

struct FreeLabel {
  float left = 4680, top = 3600, width = 45, height = 165;
  QString text;
  TextStyle style;
  bool visible = false;
  bool border = false;
  bool operator==(const FreeLabel&) const = default;
};

struct LineStroke {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool visible = false;
  bool operator==(const LineStroke&) const = default;
};

// A callout line (`li001`) with its two arrow-head strokes (`yj`, `yjm`).
struct CalloutLine {
  LineStroke line;
  LineStroke arrow_a;
  LineStroke arrow_b;
  bool operator==(const CalloutLine&) const = default;
};

inline constexpr int kPhotoElements = 10;  // 1..10; slots 1..3 hold page photos
inline constexpr int kPhotoSlots = 3;
inline constexpr int kSlotTextLines = 27;  // line j of slot s is 9*s + j
inline constexpr int kLinesPerSlot = 9;
inline constexpr int kFreeLabels = 100;       // 1..100
inline constexpr int kStoredFreeLabels = 19;  // 1..19 are written to records
inline constexpr int kCalloutLines = 15;      // 0..14

struct PageContent {
  RuleStyle rule_style = RuleStyle::kUnderline;
  int guide_lines = 0;                              // the "補助線" switch: 0 off, 1 on
  std::array<PhotoElement, kPhotoElements> photos;  // element i at [i - 1]
  std::array<SlotTextLine, kSlotTextLines> lines;
  std::array<FreeLabel, kFreeLabels> labels;  // label i at [i - 1]
  std::array<CalloutLine, kCalloutLines> callouts;

  PhotoElement& Photo(int i) { return photos.at(static_cast<size_t>(i - 1)); }
  const PhotoElement& Photo(int i) const { return photos.at(static_cast<size_t>(i - 1)); }
  FreeLabel& Label(int i) { return labels.at(static_cast<size_t>(i - 1)); }
  const FreeLabel& Label(int i) const { return labels.at(static_cast<size_t>(i - 1)); }
  SlotTextLine& Line(int slot, int j) { return lines.at(static_cast<size_t>(9 * slot + j)); }
  const SlotTextLine& Line(int slot, int j) const {
    return lines.at(static_cast<size_t>(9 * slot + j));
  }

  bool operator==(const PageContent&) const = default;
};

// Resets the page elements to their empty state: photos to the cleared geometry without a
// path, free labels hidden and empty at their home position (fonts and sizes stay), slot
// texts empty, callout lines and arrow strokes zero and hidden.
inline void ClearElements(PageContent& page) {
  for (PhotoElement& p : page.photos) p = PhotoElement();
  for (FreeLabel& l : page.labels) {
    l.visible = false;
    l.text.clear();
    l.left = 4680;
    l.top = 3600;
    l.border = false;
  }
  for (SlotTextLine& l : page.lines) l.text.clear();
  for (CalloutLine& c : page.callouts) c = CalloutLine();
}

// The cover fields: album name, author, date.
struct AlbumHeader {
  QString name;
  QString author;
  QString date;
  bool operator==(const AlbumHeader&) const = default;
};

}  // namespace komasu
