#pragma once
// Runs of pages on the printer with a progress window that closes before the run tells the
// user anything, so a notice never sits under it.

#include <QProgressDialog>
#include <memory>

#include "print/print_run.h"

class QPrinter;

namespace komasu {

class Prompter;

// Progress of a run in a window-modal progress box that can cancel between pages.
class ProgressMonitor : public PrintRunMonitor {
 public:
  ProgressMonitor(QWidget* parent, const QString& what, int total);
  bool BeforePage(int done, int total, int page_number) override;
  // Closes the box; the run calls it before any notice.
  void Finished() override { box_.reset(); }

 private:
  std::unique_ptr<QProgressDialog> box_;
};

// A printer chosen in the set-up that is gone gives way to the default printer, with a notice;
// the change stays for later runs. False (after a notice) when there is no printer at all.
bool UseExistingPrinter(QPrinter& printer, Prompter& prompter);

// Prints the request on `printer`, each page a job of its own, with progress in a box over
// `parent`. A private copy of the album passes kWithoutWriteBack.
PrintRunResult PrintOnPrinter(Album& album, const PrintRequest& request, QPrinter& printer,
                              QWidget* parent, RunPageMoves moves = RunPageMoves::kWriteBack);

}  // namespace komasu
