#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <utility>

namespace komasu {

namespace {

// Typed form, Windows form.
constexpr std::pair<char16_t, char16_t> kWindowsForms[] = {
    {u'\u301C', u'\uFF5E'}, {u'\u2212', u'\uFF0D'}, {u'\u2016', u'\u2225'}, {u'\u2014', u'\u2015'},
    {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'}};

char16_t WindowsForm(char16_t c) {
  for (const auto& [typed, windows] : kWindowsForms) {
    if (c == typed) return windows;
  }
  return c;
}

// The character at `i`: a surrogate pair (emoji and the like, never in CP932) is taken whole.
QString CharacterAt(const QString& text, qsizetype i) {
  const bool pair =
      text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
  return text.mid(i, pair ? 2 : 1);
}

bool EncodesAlone(const QString& character) {
  bool ok = false;
  EncodeCp932(character, &ok);
  return ok;
}

}  // namespace

QString WithWindowsForms(QStringView text) {
  QString out = text.toString();
  for (QChar& c : out) c = QChar(WindowsForm(c.unicode()));
  return out;
}

QByteArray EncodeCp932(const QString& text, bool* ok) {
  QStringEncoder encoder("windows-31j");
  QByteArray bytes = encoder.encode(WithWindowsForms(text));
  // The encoder drops an unpaired surrogate at the end of the text without an error.
  if (ok) *ok = !encoder.hasError() && QStringView(text).isValidUtf16();
  return bytes;
}

QString DecodeCp932(QByteArrayView bytes) {
  QStringDecoder decoder("windows-31j");
  return decoder.decode(bytes);
}

QString UnstorableTextMessage(const QString& text, bool allow_line_breaks) {
  bool whole_ok = false;
  EncodeCp932(text, &whole_ok);
  const bool has_special = text.contains(QChar(kSeparator)) || text.contains(u'"') ||
                           text.contains(QChar(kUnreadable)) ||
                           (!allow_line_breaks && (text.contains(u'\r') || text.contains(u'\n')));
  if (whole_ok && !has_special) return {};
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == QChar(kSeparator)) {
      return QStringLiteral("「ζ」はアルバムの区切り文字のため使用できません。");
    }
    if (c == u'"') {
      return QStringLiteral("ダブルクォーテーション（\"）は使用できません。");
    }
    if (c == QChar(kUnreadable)) {
      return QStringLiteral(
          "読み取れなかった文字（ファイルの壊れた部分）は保存できません。"
          "その文字を消すか、入力し直してください。");
    }
    if (c == u'\r' || c == u'\n') {
      if (allow_line_breaks) continue;
      return QStringLiteral("改行は使用できません。");
    }
    const QString one = CharacterAt(text, i);
    if (!EncodesAlone(one)) {
      return QStringLiteral("文字「%1」は保存できないため使用できません。").arg(one);
    }
    i += one.size() - 1;
  }
  return {};
}

QString UnstorablePathCharacter(const QString& path) {
  for (qsizetype i = 0; i < path.size(); ++i) {
    const QChar c = path.at(i);
    if (c == u'\r' || c == u'\n') return QStringLiteral("改行");
    const QString one = CharacterAt(path, i);
    if (c == QChar(kSeparator) || c == u'"' || c == QChar(kUnreadable) ||
        WindowsForm(c.unicode()) != c.unicode() || !EncodesAlone(one)) {
      return one;
    }
    i += one.size() - 1;
  }
  return {};
}

}  // namespace komasu
