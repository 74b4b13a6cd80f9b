#pragma once
// What a print queue made of the jobs a run sent, one job a page: which pages it took and then
// did not print, its refusals in Japanese, and the printer a run uses when the one chosen in
// the printer set-up is gone.

#include <QList>
#include <QString>
#include <QStringList>

namespace komasu {

// A job's state as the print queue reports it (the IPP "job-state" values).
enum class JobState {
  kUnknown = 0,
  kPending = 3,
  kHeld = 4,
  kProcessing = 5,
  kStopped = 6,
  kCanceled = 7,
  kAborted = 8,
  kCompleted = 9,
};

struct SentJob {
  int id = 0;                           // 0: the queue never listed it
  JobState state = JobState::kUnknown;  // the last state the queue showed
  bool listed = false;                  // in the queue's listing after the run
};

// The jobs of a run in the order their pages went out.
struct SentJobs {
  QList<SentJob> jobs;
  bool queue_gone = false;  // the printer no longer exists after the run
};

// The positions in `sent.jobs` of the jobs not seen to print: `dropped` ended unprinted
// (cancelled or aborted); `unknown` went with a queue that is gone before they were seen to
// complete (a queue takes its jobs with it, done or not). Jobs still waiting or printing will
// print; a job the queue no longer lists while the queue is there was cleared from its history
// after it ended, and is taken as printed.
struct UnprintedJobs {
  QList<int> dropped;
  QList<int> unknown;
};
UnprintedJobs JobsNotCompleted(const SentJobs& sent);

// The notice's first line when the run itself went through but the queue dropped jobs.
QString DroppedJobsText(const QString& printer, bool queue_gone);

// Why a print queue refused a job, from its IPP status code, in Japanese.
QString PrintQueueRefusal(int ipp_status);

// The printer a run prints on: `chosen` while it exists, otherwise the default printer (or the
// first one there is) with a notice saying so. No printer at all gives an empty name and a
// notice; the run must not start.
struct PrinterChoice {
  QString name;
  QString notice;  // empty when nothing changed
};
PrinterChoice ChoosePrinter(const QString& chosen, const QStringList& available,
                            const QString& default_printer);

}  // namespace komasu
