#pragma once
// A run of pages into one PDF file through the page renderer. The file is written beside its
// target and renamed over it only when every byte reached the disk, so a failed export (a full
// disk, a refused page) leaves the old file as it was. A replaced file keeps its permissions, a
// new one gets those of the umask, and a symbolic link keeps pointing at the file it names.

#include <QString>

#include "print/print_run.h"

namespace komasu {

// Printable-area margins of the PDF page (mm): those of a typical printer, so pages laid out
// for paper print alike.
inline constexpr double kPdfMarginMm = 5;
// Photo resolution in PDF files: 10 pixels a millimetre keeps a page of three photos near
// 1 MB (Qt's PDF writer stores every image as JPEG at the size it is given).
inline constexpr double kPdfPhotoDpi = 254;

struct PdfExportResult {
  bool ok = false;
  QString error;  // readable Japanese text of a failure not yet told to the user
  PrintRunResult run;
};

// Why `pdf_path` cannot take the PDF of the album at `album_path`: it is that album file, under
// any spelling, through a symbolic link or as a hard link of it, or something other than a
// regular file (a FIFO, a device), which is never replaced. Empty when it can.
QString PdfOutputProblem(const QString& pdf_path, const QString& album_path);

// Writes the pages of `request` to `path`. A failure while drawing is told by the run; the
// caller shows `error`. A cancelled or empty run, or one that left pages out, leaves no file.
// The album's own file is never an output. A request holding pages the album cannot show (a
// record too large, or of another format version) is refused before anything is drawn, naming
// those pages, instead of printing them blank.
PdfExportResult ExportPdf(Album& album, const PrintRequest& request, const QString& path,
                          PrintRunMonitor* monitor = nullptr,
                          RunPageMoves moves = RunPageMoves::kWriteBack);

}  // namespace komasu
