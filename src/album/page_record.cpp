#include "album/page_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/cp932.h"
#include "platform/number_text.h"

namespace komasu {

namespace {

class RecordWriter {
 public:
  RecordWriter() {
    text_.reserve(16 * 1024);
    text_ += QChar(kSeparator);
  }
  void Add(const QString& field) {
    text_ += field;
    text_ += QChar(kSeparator);
  }
  void Add(float v) { Add(FormatSingle(v)); }
  void Add(bool v) { Add(FormatBool(v)); }
  void AddInt(qint64 v) { Add(FormatInt(v)); }
  QString Take() { return std::move(text_); }

 private:
  QString text_;
};

// Reads fields by 1-based index; fields beyond the record read as empty.
class FieldReader {
 public:
  explicit FieldReader(QStringList fields) : fields_(std::move(fields)) {}
  QString operator[](qsizetype i) const {
    return (i >= 1 && i <= fields_.size()) ? fields_[i - 1] : QString();
  }
  double Val(qsizetype i) const { return LeadingNumber((*this)[i]); }
  qsizetype Size() const { return fields_.size(); }

 private:
  QStringList fields_;
};

void SetBoolIf(const FieldReader& f, qsizetype i, bool& target) {
  if (const auto v = ParseBool(f[i])) target = *v;
}

void SetInt16FromVal(double v, int16_t& target) {
  const double r = RoundHalfEven(v);
  if (r >= -32768 && r <= 32767) target = static_cast<int16_t>(r);
}

// A value outside the single range cannot be assigned; the attribute keeps its value.
void SetSingleFromVal(double v, float& target) {
  if (std::fabs(v) <= std::numeric_limits<float>::max()) target = static_cast<float>(v);
}

void SetSizeFromVal(double v, double& target) {
  // A font cannot have a size of 0 or below; such a value is not applied.
  if (IsFontSize(v)) target = v;
}

void SetNameIf(const QString& name, QString& target) {
  if (!name.isEmpty()) target = name;
}

void SetColorIf(const QString& text, int32_t& target) {
  if (const auto v = ParseInt32(text)) target = *v;
}

// Text line: text, bold, charset, italic, name, size, strikethrough, underline, weight, colour.
void ReadTextLine(const FieldReader& f, qsizetype base, SlotTextLine& line) {
  line.text = f[base + 1];
  TextStyle& s = line.style;
  if (const auto b = ParseBool(f[base + 2])) s.SetBold(*b);
  SetBoolIf(f, base + 4, s.italic);
  SetBoolIf(f, base + 7, s.strikethrough);
  SetBoolIf(f, base + 8, s.underline);
  SetInt16FromVal(f.Val(base + 3), s.charset);
  SetSizeFromVal(f.Val(base + 6), s.size);
  int16_t weight = s.weight;
  SetInt16FromVal(f.Val(base + 9), weight);
  s.SetWeight(weight);
  SetNameIf(f[base + 5], s.font_name);
  SetColorIf(f[base + 10], s.color);
}

// Label: left, top, width, height, text, name, bold, charset, italic, name, size,
// strikethrough, underline, weight, colour.
void ReadLabel(const FieldReader& f, qsizetype base, FreeLabel& label) {
  SetSingleFromVal(f.Val(base + 1), label.left);
  SetSingleFromVal(f.Val(base + 2), label.top);
  SetSingleFromVal(f.Val(base + 3), label.width);
  SetSingleFromVal(f.Val(base + 4), label.height);
  label.text = f[base + 5];
  TextStyle& s = label.style;
  SetNameIf(f[base + 6], s.font_name);
  if (const auto b = ParseBool(f[base + 7])) s.SetBold(*b);
  SetInt16FromVal(f.Val(base + 8), s.charset);
  SetBoolIf(f, base + 9, s.italic);
  SetNameIf(f[base + 10], s.font_name);
  SetSizeFromVal(f.Val(base + 11), s.size);
  SetBoolIf(f, base + 12, s.strikethrough);
  SetBoolIf(f, base + 13, s.underline);
  int16_t weight = s.weight;
  SetInt16FromVal(f.Val(base + 14), weight);
  s.SetWeight(weight);
  SetColorIf(f[base + 15], s.color);
}

// Line stroke fields: X1, X2, Y1, Y2, visible.
void ReadStroke(const FieldReader& f, qsizetype base, LineStroke& stroke) {
  if (const auto v = ParseSingle(f[base + 1])) stroke.x1 = *v;
  if (const auto v = ParseSingle(f[base + 2])) stroke.x2 = *v;
  if (const auto v = ParseSingle(f[base + 3])) stroke.y1 = *v;
  if (const auto v = ParseSingle(f[base + 4])) stroke.y2 = *v;
  SetBoolIf(f, base + 5, stroke.visible);
}

// Bold, charset, italic, name, size, strikethrough, underline, weight, colour.
void WriteFont(RecordWriter& w, const TextStyle& s) {
  w.Add(s.bold);
  w.AddInt(s.charset);
  w.Add(s.italic);
  w.Add(s.font_name);
  w.Add(FormatFontSize(s.size));
  w.Add(s.strikethrough);
  w.Add(s.underline);
  w.AddInt(s.weight);
  w.AddInt(s.color);
}

void WriteStroke(RecordWriter& w, const LineStroke& s) {
  w.Add(s.x1);
  w.Add(s.x2);
  w.Add(s.y1);
  w.Add(s.y2);
  w.Add(s.visible);
}

}  // namespace

QString SerializePage(const PageContent& page, const QString& version) {
  RecordWriter w;
  w.Add(QStringLiteral("1"));
  w.Add(page.rule_style == RuleStyle::kUnderline ? QStringLiteral("0") : QStringLiteral("1"));
  w.AddInt(page.guide_lines);
  w.Add(version);
  w.Add(QStringLiteral("<pic>"));
  for (const PhotoElement& p : page.photos) {
    w.Add(p.left);
    w.Add(p.top);
    w.Add(p.width);
    w.Add(p.height);
    w.Add(p.path);
  }
  w.Add(QStringLiteral("<text>"));
  for (const SlotTextLine& line : page.lines) {
    w.Add(line.text);
    WriteFont(w, line.style);
  }
  w.Add(QStringLiteral("<label>"));
  for (int i = 1; i <= kStoredFreeLabels; ++i) {
    const FreeLabel& l = page.Label(i);
    w.Add(l.left);
    w.Add(l.top);
    w.Add(l.width);
    w.Add(l.height);
    w.Add(l.text);
    w.Add(l.style.font_name);
    WriteFont(w, l.style);
  }
  w.Add(QStringLiteral("<line>"));
  for (const CalloutLine& c : page.callouts) WriteStroke(w, c.line);
  w.Add(QStringLiteral("<yj>"));
  for (const CalloutLine& c : page.callouts) {
    WriteStroke(w, c.arrow_a);
    WriteStroke(w, c.arrow_b);
  }
  return w.Take();
}

QStringList SplitRecordFields(const QString& record) {
  QStringList fields;
  qsizetype pos = record.indexOf(QChar(kSeparator));
  while (pos >= 0 && fields.size() < kMaxRecordFields) {
    const qsizetype next = record.indexOf(QChar(kSeparator), pos + 1);
    if (next < 0) break;
    fields.append(record.mid(pos + 1, next - pos - 1));
    pos = next;
  }
  return fields;
}

DecodedRecord DecodePageRecord(const QString& record, PageContent& page, const QString& version) {
  DecodedRecord result;
  const FieldReader f(SplitRecordFields(record));

  // Section starts. The writer puts the five tags in fixed fields; when they stand there, a
  // text that happens to equal a tag cannot move a section. Otherwise (a stray separator in
  // an old file shifts fields) each tag counts at its last occurrence.
  static const QString kTags[] = {QStringLiteral("<pic>"), QStringLiteral("<text>"),
                                  QStringLiteral("<label>"), QStringLiteral("<line>"),
                                  QStringLiteral("<yj>")};
  constexpr qsizetype kTagFields[] = {5, 56, 327, 613, 689};
  std::array<qsizetype, 5> at = {0, 0, 0, 0, 0};
  bool fixed_layout = true;
  for (int k = 0; k < 5; ++k) fixed_layout = fixed_layout && f[kTagFields[k]] == kTags[k];
  if (fixed_layout) {
    std::copy(std::begin(kTagFields), std::end(kTagFields), at.begin());
  } else {
    for (qsizetype i = 1; i <= f.Size(); ++i) {
      const QString& v = f[i];
      if (!v.startsWith(u'<')) continue;
      for (int k = 0; k < 5; ++k) {
        if (v == kTags[k]) at[k] = i;
      }
    }
  }
  qsizetype pic = at[0], text = at[1], label = at[2], line = at[3], yj = at[4];

  if (f[3] == u"1")
    page.guide_lines = 1;
  else if (f[3] == u"0")
    page.guide_lines = 0;
  if (f[2] == u"1")
    page.rule_style = RuleStyle::kFrame;
  else if (f[2] == u"0")
    page.rule_style = RuleStyle::kUnderline;

  if (pic > 0) {
    if (f[pic - 1] != version) {
      result.version_ok = false;
      return result;
    }
    // A section whose tag is missing (a cut-off record) reads as empty fields, not from the
    // start of the record.
    const qsizetype beyond = f.Size() + 1;
    for (qsizetype* start : {&text, &label, &line, &yj}) {
      if (*start == 0) *start = beyond;
    }
  } else {
    result.legacy = true;
    pic = 3;
    text = 53;
    label = 323;
  }

  for (int s = 0; s < kPhotoSlots; ++s) result.slot_paths[s] = f[pic + 5 * s + 5];

  for (int i = 0; i < kSlotTextLines; ++i) ReadTextLine(f, text + 10 * i, page.lines[i]);
  for (int s = 0; s < kPhotoSlots; ++s) {
    page.Line(s, 0).style.size = 8;
    page.Line(s, 1).style.size = 6;
  }

  for (int i = 1; i <= kStoredFreeLabels; ++i) ReadLabel(f, label + 15 * (i - 1), page.Label(i));
  if (result.legacy) return result;

  for (int i = 0; i < kCalloutLines; ++i) ReadStroke(f, line + 5 * i, page.callouts[i].line);
  for (int i = 0; i < kCalloutLines; ++i) {
    ReadStroke(f, yj + 10 * i, page.callouts[i].arrow_a);
    ReadStroke(f, yj + 10 * i + 5, page.callouts[i].arrow_b);
  }
  return result;
}

QString SerializeHeader(const AlbumHeader& header) {
  const QChar z(kSeparator);
  return z + header.name + z + header.author + z + header.date + z;
}

AlbumHeader DecodeHeader(const QString& record) {
  const QStringList f = SplitRecordFields(record);
  return {f.value(0), f.value(1), f.value(2)};
}

}  // namespace komasu
