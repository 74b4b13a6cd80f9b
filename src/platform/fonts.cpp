#include "platform/fonts.h"

#include <QFontInfo>
#include <QStringList>
#include <array>

namespace komasu {

namespace {

// One Windows face: the names albums store for it (the first is the one written for a chosen
// face), the IPA font drawn for it under its English and Japanese family names, and the
// fallbacks when the IPA font is missing.
struct FaceMapping {
  QStringList windows_names;
  QStringList ipa_names;
  QStringList fallbacks;
};

const std::array<FaceMapping, 4>& Faces() {
  static const std::array<FaceMapping, 4> faces = {{
      {{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS Pゴシック")},
       {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")},
       {QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")}},
      {{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS ゴシック")},
       {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")},
       {QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")}},
      {{QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS 明朝")},
       {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")},
       {QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")}},
      {{QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS P明朝")},
       {QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")},
       {QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")}},
  }};
  return faces;
}

}  // namespace

void InstallFontSubstitutions() {
  for (const FaceMapping& face : Faces()) {
    const QStringList targets = QStringList{face.ipa_names.first()} + face.fallbacks;
    for (const QString& name : face.windows_names) QFont::insertSubstitutions(name, targets);
  }
}

QString DisplayFamilyFor(const QString& stored_name) {
  // The font matcher applies the substitutions and names the family as the database lists it.
  return QFontInfo(QFont(stored_name)).family();
}

QString StoredFaceName(const QString& family) {
  for (const FaceMapping& face : Faces()) {
    if (face.ipa_names.contains(family, Qt::CaseInsensitive)) return face.windows_names.first();
  }
  return family;
}

QFont ChooserFont(const FontChoice& stored) {
  QFont font(DisplayFamilyFor(stored.name));
  font.setPointSizeF(stored.size > 0 ? stored.size : FontChoice().size);
  font.setBold(stored.bold);
  font.setItalic(stored.italic);
  font.setUnderline(stored.underline);
  font.setStrikeOut(stored.strikethrough);
  return font;
}

FontChoice ChoiceFromChooser(const FontChoice& stored, const QFont& opened, const QFont& chosen) {
  FontChoice out = stored;
  if (chosen.family() != opened.family()) out.name = StoredFaceName(chosen.family());
  if (chosen.pointSizeF() != opened.pointSizeF()) out.size = chosen.pointSizeF();
  if (chosen.bold() != opened.bold()) out.bold = chosen.bold();
  if (chosen.italic() != opened.italic()) out.italic = chosen.italic();
  if (chosen.underline() != opened.underline()) out.underline = chosen.underline();
  if (chosen.strikeOut() != opened.strikeOut()) out.strikethrough = chosen.strikeOut();
  return out;
}

}  // namespace komasu
