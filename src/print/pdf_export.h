#pragma once
// A run of pages into one PDF file through the page renderer. The file is written beside its
// target and renamed over it at the end, so a failed export never leaves half a file.

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

// Writes the pages of `request` to `path`. A failure while drawing is told by the run; the
// caller shows `error`. A cancelled or empty run leaves no file.
PdfExportResult ExportPdf(Album& album, const PrintRequest& request, const QString& path,
                          PrintRunMonitor* monitor = nullptr);

}  // namespace komasu
