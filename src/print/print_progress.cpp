#include "print/print_progress.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/prompter.h"
#include "print/printer_print_surface.h"

namespace komasu {

ProgressMonitor::ProgressMonitor(QWidget* parent, const QString& what, int total)
    : box_(std::make_unique<QProgressDialog>(what, QStringLiteral("中止"), 0, std::max(total, 1),
                                             parent)) {
  box_->setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-印刷"));
  box_->setWindowModality(Qt::WindowModal);
  box_->setMinimumDuration(400);
  box_->setAutoClose(false);
  box_->setAutoReset(false);
}

bool ProgressMonitor::BeforePage(int done, int total, int page_number) {
  if (!box_) return true;
  box_->setLabelText(QStringLiteral("%1 ページを処理しています（%2 / %3）")
                         .arg(page_number)
                         .arg(done + 1)
                         .arg(total));
  box_->setValue(done);
  QCoreApplication::processEvents();
  return !box_->wasCanceled();
}

bool UseExistingPrinter(QPrinter& printer, Prompter& prompter) {
  if (printer.outputFormat() != QPrinter::NativeFormat) return true;
  const PrinterChoice choice =
      ChoosePrinter(printer.printerName(), QPrinterInfo::availablePrinterNames(),
                    QPrinterInfo::defaultPrinterName());
  if (!choice.notice.isEmpty()) {
    prompter.Notify(choice.notice, QStringLiteral("印刷"), MessageIcon::kExclamation);
  }
  if (choice.name.isEmpty()) return false;
  if (choice.name != printer.printerName()) printer.setPrinterName(choice.name);
  return true;
}

PrintRunResult PrintOnPrinter(Album& album, const PrintRequest& request, QPrinter& printer,
                              QWidget* parent, RunPageMoves moves) {
  if (!UseExistingPrinter(printer, album.Prompts())) return {};
  printer.setColorMode(QPrinter::Color);
  PrinterPrintSurface surface(printer);
  ProgressMonitor monitor(parent, QStringLiteral("印刷しています"),
                          PagesToPrint(request, album.PageCount()));
  return PrintPageRun(album, request, surface, &monitor, moves);
}

}  // namespace komasu
