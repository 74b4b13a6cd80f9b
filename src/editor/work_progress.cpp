#include "editor/work_progress.h"

#include <QProgressDialog>

#include "platform/clock.h"
#include "platform/prompter.h"

namespace komasu {

WorkProgress::WorkProgress(QWidget* parent, QString label, const Clock& clock)
    : parent_(parent), label_(std::move(label)), clock_(clock), start_(clock.Now()) {}

WorkProgress::~WorkProgress() { delete dialog_; }

ProgressCallback WorkProgress::Callback() {
  return [this](int done, int total) { Step(done, total); };
}

void WorkProgress::Step(int done, int total) {
  if (done >= total && total > 0) {  // closed before the work says anything
    delete dialog_;
    return;
  }
  if (!dialog_) {
    if (done >= total || start_.msecsTo(clock_.Now()) < kDelayMs) return;
    dialog_ = new QProgressDialog(label_, QString(), 0, total, parent_);
    dialog_->setWindowTitle(ApplicationTitle());
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setCancelButton(nullptr);  // the work is a single album operation; it runs through
  }
  dialog_->setMaximum(total);
  dialog_->setValue(done);  // a window-modal dialog lets pending paint events run here
}

}  // namespace komasu
