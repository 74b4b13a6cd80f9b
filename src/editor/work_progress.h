#pragma once
// A progress dialog for long work on the user-interface thread: it appears only once the work
// has run for half a second by the given clock, shows pages done of pages in all, and closes
// when all are done or with the object.

#include <QDateTime>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include "editor/slot_text_commands.h"

class QWidget;

namespace komasu {

class Clock;

class WorkProgress {
 public:
  WorkProgress(QWidget* parent, QString label, const Clock& clock);
  ~WorkProgress();
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  // The callback to hand to the work; it must not outlive this object.
  ProgressCallback Callback();
  bool Shown() const { return dialog_ != nullptr; }

  static constexpr int kDelayMs = 500;

 private:
  void Step(int done, int total);

  QPointer<QWidget> parent_;
  QString label_;
  const Clock& clock_;
  QDateTime start_;
  QPointer<QProgressDialog> dialog_;
};

}  // namespace komasu
