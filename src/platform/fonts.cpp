#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace komasu {

void InstallFontSubstitutions() {
  const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                              QStringLiteral("Noto Sans CJK JP")};
  const QStringList pgothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                               QStringLiteral("Noto Sans CJK JP")};
  const QStringList mincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"),
                              QStringLiteral("Noto Serif CJK JP")};
  const QStringList pmincho = {QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho"),
                               QStringLiteral("Noto Serif CJK JP")};
  const struct {
    const char16_t* face;
    const QStringList& targets;
  } map[] = {{u"ＭＳ Ｐゴシック", pgothic}, {u"MS Pゴシック", pgothic}, {u"ＭＳ ゴシック", gothic},
             {u"MS ゴシック", gothic},      {u"ＭＳ 明朝", mincho},     {u"MS 明朝", mincho},
             {u"ＭＳ Ｐ明朝", pmincho},     {u"MS P明朝", pmincho}};
  for (const auto& m : map) QFont::insertSubstitutions(QString::fromUtf16(m.face), m.targets);
}

}  // namespace komasu
