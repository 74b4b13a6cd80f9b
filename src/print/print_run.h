#pragma once
// A run of printed pages through the editor: each page is shown by the page moves (which write
// the shown page back), printed as a document of its own, and the editor ends on the start page
// or the last page shown, as the run's rules say.

#include <QList>
#include <QMetaType>

#include "album/album.h"
#include "print/print_surface.h"

namespace komasu {

// The pages asked for: from `start` to `end`, every page or every second page. A start of 0
// asks for nothing.
struct PrintRequest {
  int start = 0;
  int end = 0;
  bool every_second = false;
  bool operator==(const PrintRequest&) const = default;
};

class PrintRunMonitor {
 public:
  virtual ~PrintRunMonitor() = default;
  // Called before each page, once its settings are read: lets pending window events run and
  // shows progress. `done` pages of `total` are printed. False cancels the run.
  virtual bool BeforePage(int done, int total, int page_number) = 0;
  // Called once when the run has stopped, before it tells the user anything: a progress window
  // closes here, so no notice ends up under it.
  virtual void Finished() {}
};

// How a run moves from page to page. In the editor every move writes the shown page back, and a
// refused write-back (a text the file cannot hold) stops the run there. A private copy keeps
// nothing, so a run over it moves without writing back and never leaves a page out.
enum class RunPageMoves { kWriteBack, kWithoutWriteBack };

struct PrintRunResult {
  QList<int> printed;  // page numbers, in order
  bool cancelled = false;
  bool failed = false;  // the surface failed; the user was told once
  // Pages of the request that did not go out: after a failure on a surface of one job per page,
  // the failed page and the rest; after a refused write-back, the pages after the shown one;
  // pages whose job the print queue took and did not print, or took with it when it went
  // (reported as a failure is). In order.
  QList<int> not_printed;
};

// The number of pages a request prints on an album of `page_count` pages.
int PagesToPrint(const PrintRequest& request, int page_count);

// The name a print queue shows for a page: the album name of the cover (the file's base name
// when it has none) and the page number, "現場写真帳 p.3".
QString PrintJobName(const Album& album, int page_number);

// The notice line naming pages that were not printed, in order: a run in steps of one or two
// reads "3～9", other pages are listed with runs of three or more as "a～b".
QString NotPrintedText(const QList<int>& pages);
// The same for pages whose jobs went with a queue that is gone: they may have printed.
QString UncertainPagesText(const QList<int>& pages);

// Prints the run on `surface`. An end beyond the page count prints up to the last page once; a
// start outside the album prints nothing and moves nothing. A write-back that fails stops the
// run without leaving the shown page. A failure of the surface stops the run and is reported
// once, titled "印刷", naming the pages that were not printed when each page is a job. Slot
// texts print in the fontinfo.ini font on every page, as on the shown page; no page's stored
// font changes.
PrintRunResult PrintPageRun(Album& album, const PrintRequest& request, PrintSurface& surface,
                            PrintRunMonitor* monitor = nullptr,
                            RunPageMoves moves = RunPageMoves::kWriteBack);

}  // namespace komasu

// Declared before any use, so every translation unit sees the same QMetaTypeId (queued
// connections, QVariant, test data tables).
Q_DECLARE_METATYPE(komasu::PrintRequest)
