#include "print/pdf_export.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <cerrno>

#include "album/album_file.h"
#include "album/page_record.h"
#include "platform/cp932.h"
#include "platform/regular_file.h"
#include "platform/text_file.h"
#include "print/painter_print_surface.h"

namespace komasu {

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString CannotWrite(const QString& path) {
  return QStringLiteral(
             "PDFファイル「%1」を書き込めませんでした。保存先と空き容量を確かめてください。")
      .arg(Shown(path));
}

// Hands the PDF writer's bytes to the file and keeps the first write that did not go through
// whole. Qt's PDF engine ignores short writes, and QSaveFile commits after them: a full disk
// put an 8 KB file without its trailer in place of the old one.
class CheckedOutput : public QIODevice {
 public:
  explicit CheckedOutput(QSaveFile& file) : file_(file) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }
  bool Failed() const { return failed_; }
  // The failure in words, for a message after "could not be written".
  QString Why() const {
    // Qt reports a full disk as a resource error even where the system set no errno.
    const bool full = error_code_ == 0 && file_.error() == QFileDevice::ResourceError;
    return WriteFailureReason(file_.fileName(), full ? ENOSPC : error_code_);
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 len) override {
    if (failed_) return -1;
    qint64 done = 0;
    while (done < len) {
      // A short write is retried once more, which then fails with the reason.
      errno = 0;
      const qint64 n = file_.write(data + done, len - done);
      if (n <= 0) {
        failed_ = true;
        error_code_ = errno;
        return -1;
      }
      done += n;
    }
    return len;
  }

 private:
  QSaveFile& file_;
  bool failed_ = false;
  int error_code_ = 0;
};

// The PDF surface fails as soon as a write fails, so a run on a full disk stops at that page.
class PdfFileSurface : public PainterPrintSurface {
 public:
  PdfFileSurface(QPdfWriter& writer, const CheckedOutput& output, const QString& path)
      : PainterPrintSurface(writer, Documents::kOne), output_(output), path_(path) {}

 protected:
  QString DeviceError(DeviceStep) override {
    if (!output_.Failed()) return {};
    return QStringLiteral("PDFファイル「%1」を書き込めませんでした。%2")
        .arg(Shown(path_), output_.Why());
  }

 private:
  const CheckedOutput& output_;
  QString path_;
};

// The pages of `request` the album shows empty, as it does a record too large to decode or one
// of another format version.
QList<int> PagesNotShown(Album& album, const PrintRequest& request) {
  QList<int> pages;
  const QList<QByteArray>& records = album.Records();
  const int last = std::min(request.end, album.PageCount());
  for (int n = request.start; n >= 1 && n <= last; n += request.every_second ? 2 : 1) {
    if (n >= records.size()) break;
    const QByteArray& raw = records[n];
    PageContent page;
    if (raw.size() > kMaxRecordBytes || !DecodePageRecord(DecodeCp932(raw), page).version_ok) {
      pages << n;
    }
  }
  return pages;
}

}  // namespace

QString PdfOutputProblem(const QString& pdf_path, const QString& album_path) {
  if (pdf_path.isEmpty()) return {};
  if (!album_path.isEmpty() && SameFile(pdf_path, album_path)) {
    return QStringLiteral(
               "「%1」は出力元のアルバムファイルです。PDFファイルには別の名前を指定してください。")
        .arg(Shown(pdf_path));
  }
  return OutputFileProblem(pdf_path, QStringLiteral("PDFファイル"));
}

PdfExportResult ExportPdf(Album& album, const PrintRequest& request, const QString& path,
                          PrintRunMonitor* monitor, RunPageMoves moves) {
  PdfExportResult result;
  if (result.error = PdfOutputProblem(path, album.Path()); !result.error.isEmpty()) {
    return result;
  }
  if (const QList<int> hidden = PagesNotShown(album, request); !hidden.isEmpty()) {
    QStringList numbers;
    for (int n : hidden) numbers << QString::number(n);
    result.error = QStringLiteral(
                       "PDFファイル「%1」は保存されませんでした。\nページ %2 は表示できないため"
                       "印刷されませんでした（データが大きすぎるか、別の形式で保存されています）。")
                       .arg(Shown(path), numbers.join(QStringLiteral(", ")));
    return result;
  }
  const QFileInfo target(path);
  // Writes beside the target and renames over it; resolves a symbolic link to its target and
  // keeps the permissions of the file it replaces.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    result.error = CannotWrite(path);
    return result;
  }
  CheckedOutput output(file);
  {
    QPdfWriter writer(&output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                          QPageLayout::Millimeter);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("ＫＯＭＡＳＵⅡ"));
    const QString& name = album.Header().name;
    writer.setTitle(name.isEmpty() ? target.completeBaseName() : name);
    PdfFileSurface surface(writer, output, path);
    surface.SetPhotoDpi(kPdfPhotoDpi);
    result.run = PrintPageRun(album, request, surface, monitor, moves);
    const bool finished = surface.Finish();
    if (result.run.failed) return result;  // the run has told the user
    if (!finished) {
      result.error = output.Failed() ? surface.ErrorText() : CannotWrite(path);
      return result;
    }
  }
  if (!result.run.not_printed.isEmpty()) {
    // The run stopped at a page it could not move from; the user was told why.
    result.error = QStringLiteral("PDFファイル「%1」は保存されませんでした。\n%2")
                       .arg(Shown(path), NotPrintedText(result.run.not_printed));
    return result;
  }
  if (result.run.cancelled) return result;
  if (result.run.printed.isEmpty()) {
    result.error = QStringLiteral("出力するページがありません。");
    return result;
  }
  if (!file.commit()) {
    result.error = CannotWrite(path);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace komasu
