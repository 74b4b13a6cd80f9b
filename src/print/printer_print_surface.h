#pragma once
// A PainterPrintSurface on a QPrinter with every page a print job of its own: each job is named
// for the print queue, and a job the printer or its queue refuses fails the surface, which
// QPainter alone does not report.

#include <QPrinter>

#include "print/painter_print_surface.h"

namespace komasu {

class PrinterPrintSurface : public PainterPrintSurface {
 public:
  explicit PrinterPrintSurface(QPrinter& printer);

 protected:
  void BeforeDocument(const QString& job_name) override;
  QString DeviceError(DeviceStep step) override;

 private:
  QPrinter& printer_;
};

}  // namespace komasu
