#pragma once
// Maps the Windows face names stored in albums and settings files to the fonts of this
// platform (the IPA fonts on Linux) and back, so the font chooser opens on the face the page is
// drawn with and a chosen face is stored under the name Windows programs read.

#include <QFont>
#include <QString>

#include "platform/prompter.h"

namespace komasu {

void InstallFontSubstitutions();

// The installed family a stored face name is drawn with, named as the font database lists it
// (the chooser finds only that name): "ＭＳ Ｐゴシック" → "IPAPGothic" ("IPA Pゴシック" under a
// Japanese locale). Needs the substitutions installed.
QString DisplayFamilyFor(const QString& stored_name);

// The name to store for a family picked in the font chooser: the Windows face an IPA font
// stands for ("IPAPGothic" or "IPA Pゴシック" → "ＭＳ Ｐゴシック"), otherwise the family itself.
QString StoredFaceName(const QString& family);

// The font the chooser opens on for a stored choice.
QFont ChooserFont(const FontChoice& stored);

// The choice after the chooser's OK. Whatever still reads as the chooser `opened` keeps its
// stored value, because the chooser cannot show every stored value: it knows no Windows names,
// shows whole point sizes only (9.75 as 10) and offers only the styles a family has (the IPA
// fonts have no bold). The colour is not the chooser's and stays.
FontChoice ChoiceFromChooser(const FontChoice& stored, const QFont& opened, const QFont& chosen);

}  // namespace komasu
