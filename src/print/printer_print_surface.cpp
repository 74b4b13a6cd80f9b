#include "print/printer_print_surface.h"

#ifdef KOMASU_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace komasu {

namespace {

QString Refused(const QString& printer, const QString& reason) {
  QString text =
      QStringLiteral("印刷できませんでした。プリンタ「%1」が印刷を受け付けませんでした。")
          .arg(printer);
  if (!reason.isEmpty()) text += QStringLiteral("（%1）").arg(reason);
  return text;
}

}  // namespace

PrinterPrintSurface::PrinterPrintSurface(QPrinter& printer)
    : PainterPrintSurface(printer, Documents::kOnePerPage), printer_(printer) {}

void PrinterPrintSurface::BeforeDocument(const QString& job_name) {
  if (!job_name.isEmpty()) printer_.setDocName(job_name);
}

QString PrinterPrintSurface::DeviceError(DeviceStep step) {
  if (printer_.printerState() == QPrinter::Error) return Refused(printer_.printerName(), {});
#ifdef KOMASU_HAVE_CUPS
  // Qt hands the ended job to CUPS and drops the answer; that request is the last one CUPS made
  // on this thread, so its status is the job's.
  if (step == DeviceStep::kEnded && printer_.outputFormat() == QPrinter::NativeFormat &&
      cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    return Refused(printer_.printerName(), QString::fromUtf8(cupsLastErrorString()));
  }
#else
  (void)step;
#endif
  return {};
}

}  // namespace komasu
