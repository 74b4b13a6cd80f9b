#pragma once
// The headless batch command `komasu2 --pdf OUT.pdf [--pages N | N-M | odd | even | all]
// ALBUM.apt`: the chosen pages into one PDF through the page renderer, with the settings of
// the program folder. It works on a private copy of the album, so the album file and the
// program folder's snapshot are never modified. Needs a QGuiApplication (any platform plugin).

#include <QStringList>
#include <QTextStream>

#include "platform/program_folder.h"

namespace komasu {

// True when the command line asks for the usage text (--help or -h).
bool IsHelpCommand(const QStringList& arguments);
// The usage of the program's command line: opening an album, the PDF and the CSV commands.
QString UsageText();

// The window's command line: at most one album, and the options Qt takes for itself
// ("-platform offscreen", "-style=fusion", …). "--" ends the options.
struct WindowCommandLine {
  QString album;  // empty: the start dialog
  QString error;  // not empty: the usage is shown and nothing opens
};
WindowCommandLine ParseWindowCommandLine(const QStringList& arguments);

// True when the command line asks for the PDF command.
bool IsPdfCommand(const QStringList& arguments);

// Runs the command; `arguments` are those after the program name. Messages go to `err`, also
// the pages whose texts do not print (補助線 off), slot lines cut and photos missing.
// Returns 0 on success, 1 when the album or the PDF file fails (a page the album cannot show
// included), 2 for a bad command line (an output that is the album file itself or not a
// regular file included).
int RunPdfCommand(const QStringList& arguments, const ProgramFolder& folder, QTextStream& err);
// The same with the program folder resolved from the executable's folder.
int RunPdfCommand(const QStringList& arguments, QTextStream& err);

}  // namespace komasu
