#pragma once
// Makes Qt's own dialogs (file, print set-up, font, colour, the standard buttons) speak
// Japanese, the program's language, whatever the system locale.

#include <QString>

class QTranslator;

namespace komasu {

// Where the Qt packages keep their translations (Debian: qt6-translations-l10n).
QString QtTranslationsFolder();

// Installs Qt's Japanese translations (qtbase_ja.qm in `folder`) on the running application
// and makes Japanese the default locale. Returns the installed translator, owned by the
// application (deleting it uninstalls it), or nullptr when the file is missing or unreadable.
QTranslator* InstallQtJapanese(const QString& folder);

}  // namespace komasu
