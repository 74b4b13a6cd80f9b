#pragma once
// Maps the Windows face names stored in albums and settings files to the fonts of this
// platform (the IPA fonts on Linux).

namespace komasu {

void InstallFontSubstitutions();

}  // namespace komasu
