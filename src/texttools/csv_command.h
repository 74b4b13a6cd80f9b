#pragma once
// The headless commands `komasu2 --csv-export OUT.csv ALBUM.apt` and `komasu2 --csv-import
// IN.csv ALBUM.apt`: the slot texts of an album to a CSV file and back, with the settings of the
// program folder, as the menu commands do them. The export leaves the album file as it is; the
// import rewrites it once, atomically. Neither touches the program folder's snapshot back.apt.

#include <QStringList>
#include <QTextStream>

#include "platform/program_folder.h"

namespace komasu {

// True when the command line asks for a CSV command.
bool IsCsvCommand(const QStringList& arguments);

// Runs the command; `arguments` are those after the program name. Messages go to `err`.
// Returns 0 on success, 1 when the album or the CSV file fails, 2 for a bad command line (a CSV
// file that is the album file itself, or an export to something other than a regular file,
// included).
int RunCsvCommand(const QStringList& arguments, const ProgramFolder& folder, QTextStream& err);
// The same with the program folder resolved from the executable's folder.
int RunCsvCommand(const QStringList& arguments, QTextStream& err);

}  // namespace komasu
