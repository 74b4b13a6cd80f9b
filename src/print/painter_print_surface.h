#pragma once
// A PrintSurface that paints with QPainter on a paged device (QPrinter, QPdfWriter): A4
// portrait, millimetres from the printable area's top left; or on an image of one page. Either every page is a document
// (a print job) of its own, or all pages go into one document (a PDF file, a preview).

#include <QPagedPaintDevice>
#include <QPainter>
#include <memory>

#include "print/print_surface.h"

namespace komasu {

class PainterPrintSurface : public PrintSurface {
 public:
  enum class Documents { kOnePerPage, kOne };

  PainterPrintSurface(QPagedPaintDevice& device, Documents documents);
  // One page drawn on `page`, whose dots per metre make it an A4 page (a small picture of it).
  explicit PainterPrintSurface(QImage& page);
  ~PainterPrintSurface() override;

  // Ends the one document (kOne); false when it could not be completed.
  bool Finish();

  // PDF files take photos at a lower resolution than printers to stay small.
  void SetPhotoDpi(double dpi) { photo_dpi_ = dpi; }
  double PhotoDpi() const override { return photo_dpi_; }

  bool Failed() const override { return !error_.isEmpty(); }
  QString ErrorText() const override { return error_; }
  bool PagesAreSeparateJobs() const override { return documents_ == Documents::kOnePerPage; }

 protected:
  enum class DeviceStep { kBegun, kNewPage, kEnded };
  // Called before each document begins; a printer names its job here.
  virtual void BeforeDocument(const QString& job_name) { (void)job_name; }
  // Why the device failed at `step` although QPainter reported success; empty when it did not.
  // A print queue can refuse a job the painter has already ended.
  virtual QString DeviceError(DeviceStep step) {
    (void)step;
    return {};
  }

  void BeginPage() override;
  void FinishPage() override;
  void OutputText(const PrintState& state, const QString& text) override;
  double MeasureText(const PrintFont& font, const QString& text) override;
  double LineHeight(const PrintFont& font) override;
  void OutputLine(const PrintState& state, QLineF line, const QColor& color) override;
  void OutputBox(const PrintState& state, QRectF box, const QColor& color) override;
  void OutputPicture(const QImage& image, const QRectF& rect) override;

 private:
  void ResyncEngine();
  QPen PenOf(const PrintState& state, const QColor& color) const;
  QPointF Px(double x, double y) const { return QPointF(x * px_per_mm_x_, y * px_per_mm_y_); }
  bool Ready() const { return painter_.isActive(); }

  QPaintDevice& device_;
  QPagedPaintDevice* paged_ = nullptr;  // none for an image
  Documents documents_;
  QPainter painter_;
  bool page_open_ = false;
  double px_per_mm_x_ = 1, px_per_mm_y_ = 1;
  QString error_;
  double photo_dpi_ = 300;
};

}  // namespace komasu
