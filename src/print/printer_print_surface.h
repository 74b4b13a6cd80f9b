#pragma once
// A PainterPrintSurface on a QPrinter with every page a print job of its own: each job is named
// for the print queue, a job the printer or its queue refuses fails the surface, which QPainter
// alone does not report, and the jobs the queue took are followed until the run ends, so pages
// it drops afterwards (a queue deleted mid-run) are known.

#include <QPrinter>
#include <QStringList>

#include "print/painter_print_surface.h"

namespace komasu {

class PrinterPrintSurface : public PainterPrintSurface {
 public:
  explicit PrinterPrintSurface(QPrinter& printer);

  SentJobs JobsAfterRun() override;
  QString PrinterName() const override { return printer_.printerName(); }

 protected:
  void BeforeDocument(const QString& job_name) override;
  QString DeviceError(DeviceStep step) override;

 private:
  // Reads the states of the jobs sent from the queue, and the ids of those not yet known.
  void FollowJobs();

  QPrinter& printer_;
  int last_job_before_ = -1;  // the newest job of the user when the run began
  SentJobs sent_;
  bool answered_ = false;  // the print service answered the last question about the jobs
  QStringList sent_names_;
};

}  // namespace komasu
