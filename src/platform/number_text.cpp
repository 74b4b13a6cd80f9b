#include "platform/number_text.h"

#include <cmath>
#include <limits>

namespace komasu {

namespace {

// Length of the number at the start of `s` (after `pos`), 0 when there is none.
qsizetype ScanNumber(const QString& s, qsizetype pos) {
  qsizetype i = pos;
  const qsizetype n = s.size();
  if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
  qsizetype digits = 0;
  while (i < n && s[i].isDigit() && s[i].unicode() < 128) ++i, ++digits;
  if (i < n && s[i] == u'.') {
    ++i;
    while (i < n && s[i].unicode() < 128 && s[i].isDigit()) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    qsizetype j = i + 1;
    if (j < n && (s[j] == u'+' || s[j] == u'-')) ++j;
    qsizetype exp_digits = 0;
    while (j < n && s[j].unicode() < 128 && s[j].isDigit()) ++j, ++exp_digits;
    if (exp_digits > 0) i = j;
  }
  return i - pos;
}

qsizetype SkipBlanks(const QString& s, qsizetype i) {
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  return i;
}

double ToDouble(QString number) {
  number.replace(u'd', u'e').replace(u'D', u'e');
  bool ok = false;
  const double v = number.toDouble(&ok);
  return ok ? v : 0.0;
}

template <typename Int>
std::optional<Int> ParseInteger(const QString& text) {
  const auto v = ParseNumber(text);
  if (!v) return std::nullopt;
  const double r = RoundHalfEven(*v);
  if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) {
    return std::nullopt;
  }
  return static_cast<Int>(r);
}

}  // namespace

QString FormatSingle(float value) {
  if (value == 0.0f || std::isnan(value)) return QStringLiteral("0");
  QString s = QString::number(static_cast<double>(value), 'g', 7);
  const qsizetype e = s.indexOf(u'e');
  if (e >= 0) s[e] = u'E';
  return s;
}

QString FormatFontSize(double points) {
  QString s = QString::number(points, 'f', 4);
  while (s.endsWith(u'0')) s.chop(1);
  if (s.endsWith(u'.')) s.chop(1);
  if (s == u"-0") s = QStringLiteral("0");
  return s;
}

QString FormatBool(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString FormatInt(qint64 value) { return QString::number(value); }

double LeadingNumber(const QString& text) {
  const qsizetype start = SkipBlanks(text, 0);
  const qsizetype len = ScanNumber(text, start);
  return len == 0 ? 0.0 : ToDouble(text.mid(start, len));
}

std::optional<double> ParseNumber(const QString& text) {
  const qsizetype start = SkipBlanks(text, 0);
  const qsizetype len = ScanNumber(text, start);
  if (len == 0 || SkipBlanks(text, start + len) != text.size()) return std::nullopt;
  const double v = ToDouble(text.mid(start, len));
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

bool IsNumeric(const QString& text) { return ParseNumber(text).has_value(); }

std::optional<float> ParseSingle(const QString& text) {
  const auto v = ParseNumber(text);
  if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*v);
}

std::optional<int16_t> ParseInt16(const QString& text) { return ParseInteger<int16_t>(text); }

std::optional<int32_t> ParseInt32(const QString& text) { return ParseInteger<int32_t>(text); }

std::optional<bool> ParseBool(const QString& text) {
  const QString t = text.trimmed();
  if (t.compare(u"True", Qt::CaseInsensitive) == 0) return true;
  if (t.compare(u"False", Qt::CaseInsensitive) == 0) return false;
  if (const auto v = ParseNumber(t)) return *v != 0.0;
  return std::nullopt;
}

QString AsciiNumberText(const QString& typed) {
  QString out = typed;
  for (QChar& c : out) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) {
      c = QChar(u - 0xFEE0);
    } else if (u == 0x3000) {
      c = u' ';
    }
  }
  return out;
}

std::optional<double> ParseTypedNumber(const QString& typed) {
  return ParseNumber(AsciiNumberText(typed));
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace komasu
