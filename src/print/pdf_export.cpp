#include "print/pdf_export.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <filesystem>

#include "print/painter_print_surface.h"

namespace komasu {

namespace {

QString CannotWrite(const QString& path) {
  return QStringLiteral(
             "PDFファイル「%1」を書き込めませんでした。保存先と空き容量を確かめてください。")
      .arg(QDir::toNativeSeparators(path));
}

}  // namespace

PdfExportResult ExportPdf(Album& album, const PrintRequest& request, const QString& path,
                          PrintRunMonitor* monitor) {
  PdfExportResult result;
  const QFileInfo target(path);
  QTemporaryFile part(
      target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.part").arg(target.fileName())));
  if (!part.open()) {
    result.error = CannotWrite(path);
    return result;
  }
  part.close();

  {
    QPdfWriter writer(part.fileName());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                          QPageLayout::Millimeter);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("ＫＯＭＡＳＵⅡ"));
    const QString& name = album.Header().name;
    writer.setTitle(name.isEmpty() ? target.completeBaseName() : name);
    PainterPrintSurface surface(writer, PainterPrintSurface::Documents::kOne);
    surface.SetPhotoDpi(kPdfPhotoDpi);
    result.run = PrintPageRun(album, request, surface, monitor);
    const bool finished = surface.Finish();
    if (result.run.failed) return result;  // the run has told the user
    if (!finished) {
      result.error = CannotWrite(path);
      return result;
    }
  }
  if (result.run.printed.isEmpty()) {
    result.error =
        result.run.cancelled ? QString() : QStringLiteral("出力するページがありません。");
    return result;
  }
  std::error_code ec;
  std::filesystem::rename(part.fileName().toStdString(), target.absoluteFilePath().toStdString(),
                          ec);
  if (ec) {
    result.error = CannotWrite(path);
    return result;
  }
  part.setAutoRemove(false);
  // The temporary file was private to its owner; the PDF gets the permissions of a new file.
  QFile::setPermissions(target.absoluteFilePath(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
  result.ok = true;
  return result;
}

}  // namespace komasu
