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
  if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
  return text;
}

#ifdef KOMASU_HAVE_CUPS
bool Native(const QPrinter& printer) { return printer.outputFormat() == QPrinter::NativeFormat; }

// The user's jobs on every queue, oldest first (a queue that is gone has none). False when the
// print service did not answer.
template <typename Visit>
bool ForEachJob(Visit visit) {
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 1, CUPS_WHICHJOBS_ALL);
  for (int i = 0; i < count; ++i) visit(jobs[i]);
  if (count > 0) cupsFreeJobs(count, jobs);
  return count >= 0;
}

bool QueueExists(const QString& printer) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), nullptr);
  if (dest) cupsFreeDests(1, dest);
  return dest != nullptr;
}

// Why CUPS refused a job: its status says little when the queue is gone or the service does
// not answer (both read "internal error"), so those are asked for first.
QString RefusalReason(const QString& printer, int status) {
  if (!ForEachJob([](const cups_job_t&) {})) return PrintQueueRefusal(0x0502);
  if (!QueueExists(printer)) return PrintQueueRefusal(0x0406);
  return PrintQueueRefusal(status);
}
#endif

}  // namespace

PrinterPrintSurface::PrinterPrintSurface(QPrinter& printer)
    : PainterPrintSurface(printer, Documents::kOnePerPage), printer_(printer) {}

void PrinterPrintSurface::BeforeDocument(const QString& job_name) {
  if (!job_name.isEmpty()) printer_.setDocName(job_name);
#ifdef KOMASU_HAVE_CUPS
  if (last_job_before_ < 0 && Native(printer_)) {
    last_job_before_ = 0;
    ForEachJob(
        [this](const cups_job_t& job) { last_job_before_ = std::max(last_job_before_, job.id); });
  }
#endif
}

QString PrinterPrintSurface::DeviceError(DeviceStep step) {
  if (printer_.printerState() == QPrinter::Error) return Refused(printer_.printerName(), {});
#ifdef KOMASU_HAVE_CUPS
  if (step != DeviceStep::kEnded || !Native(printer_)) return {};
  // Qt hands the ended job to CUPS and drops the answer; that request is the last one CUPS made
  // on this thread, so its status is the job's.
  if (const ipp_status_t status = cupsLastError(); status > IPP_STATUS_OK_EVENTS_COMPLETE) {
    return Refused(printer_.printerName(), RefusalReason(printer_.printerName(), status));
  }
  sent_.jobs.append(SentJob());
  sent_names_.append(printer_.docName());
  FollowJobs();
#else
  (void)step;
#endif
  return {};
}

void PrinterPrintSurface::FollowJobs() {
#ifdef KOMASU_HAVE_CUPS
  for (SentJob& sent : sent_.jobs) sent.listed = false;
  answered_ = ForEachJob([this](const cups_job_t& job) {
    if (job.id <= last_job_before_) return;
    // A job is ours by its id, or, the first time it is seen, by the name its page gave it.
    qsizetype match = -1;
    for (qsizetype i = 0; i < sent_.jobs.size() && match < 0; ++i) {
      if (sent_.jobs[i].id == job.id) match = i;
    }
    for (qsizetype i = 0; i < sent_.jobs.size() && match < 0; ++i) {
      if (sent_.jobs[i].id == 0 && sent_names_[i] == QString::fromUtf8(job.title)) match = i;
    }
    if (match < 0) return;
    SentJob& sent = sent_.jobs[match];
    sent.id = job.id;
    sent.state = static_cast<JobState>(job.state);  // IPP values on both sides
    sent.listed = true;
  });
#endif
}

SentJobs PrinterPrintSurface::JobsAfterRun() {
  if (sent_.jobs.isEmpty()) return {};
  FollowJobs();
#ifdef KOMASU_HAVE_CUPS
  // Only a queue the print service says is not there is gone; no answer proves nothing.
  sent_.queue_gone = answered_ && !QueueExists(printer_.printerName());
#endif
  return sent_;
}

}  // namespace komasu
