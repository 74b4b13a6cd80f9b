#pragma once
// CSV export and import of the slot texts of an album: the 27 lines of every page, one CSV line
// per page. Photos, labels, callout lines and the cover take no part. The file operations
// report through their result; the menu commands ask their questions and show the outcome.

#include <QList>
#include <QString>

#include "commands/page_walk.h"

namespace komasu {

class Album;
class AlbumCommands;

struct CsvResult {
  bool ok = false;
  // Why it failed, as a readable Japanese text; empty when the album has already told the user.
  QString error;
  // Pages of another format version, which are kept as they are and take no values.
  QList<int> pages_kept;
};

// Why `path` cannot take a CSV file: something other than a regular file (a FIFO, a device, a
// folder) is there, which is never replaced. Empty when it can.
QString CsvOutputProblem(const QString& path);

// Writes the slot texts of pages 1..N to `path`: CP932, CR LF, atomically, so a failed write
// leaves an existing file as it was; a `path` that is not a regular file is refused. The pages are
// shown in turn without being written back (the caller writes back text typed on the shown page
// first); the last page stays shown.
CsvResult WriteCsvFile(Album& album, const QString& path, const ProgressCallback& progress = {});

// Puts the rows of the CSV file `path` into the slot texts of pages 1, 2, … in turn, one line a
// page, as one batch: the album file is rewritten once. A line with fewer than 27 values leaves
// the rest of its page's lines empty; pages after the last line keep everything, and the page
// count grows only when the file holds more pages. The whole file is read and every page
// checked first: a file that cannot be read, a line of more than 27 values, a value the album
// cannot store (control characters included), a page record that would grow too large to be
// shown, or more pages than an album holds change nothing, and the message names the line.
// The shown page is written back first and page 1 is shown at the end.
CsvResult ReadCsvFile(AlbumCommands& commands, const QString& path,
                      const ProgressCallback& progress = {});

// The menu commands, split so the GUI can show the progress of the work alone and close it
// before the outcome is told.
// "CSV書出": the question, the save dialog and the overwrite question; empty when the command
// ends there, also after telling that the chosen name is not a regular file.
QString ChooseCsvExportFile(Album& album);
// Writes the shown page back (a page that cannot be written back ends the export, the album
// having said why), then the file.
CsvResult ExportCsv(Album& album, const QString& path, const ProgressCallback& progress = {});
// "CSVデータ保存しました", or why the export failed; returns result.ok.
bool TellCsvExported(Album& album, const CsvResult& result);

// "CSV読込": the open dialog; empty when cancelled. ReadCsvFile does the work.
QString ChooseCsvImportFile(Album& album);
// "CSVデータ読込完了しました" and the pages kept, or why the import failed; returns result.ok.
bool TellCsvImported(Album& album, const CsvResult& result);

// The notice for pages an import kept as they were (CsvResult::pages_kept).
QString KeptPagesNotice(const QList<int>& pages);

}  // namespace komasu
