#include "commands/history.h"

namespace komasu {

void History::Push(std::unique_ptr<UndoStep> step) {
  const bool was_clean = IsClean();
  while (CanRedo()) {
    bytes_ -= steps_.back()->Bytes();
    steps_.pop_back();
  }
  if (clean_ > index_) clean_ = -1;
  if (index_ > 0 && clean_ != index_ && steps_.back()->Absorb(*step)) {
    emit Changed();
    return;
  }
  bytes_ += step->Bytes();
  steps_.push_back(std::move(step));
  ++index_;
  Trim();
  if (was_clean) emit CleanChanged(false);
  emit Changed();
}

void History::Trim() {
  while (!steps_.empty() && (Count() > kMaxSteps || (bytes_ > kMaxBytes && Count() > 1))) {
    bytes_ -= steps_.front()->Bytes();
    steps_.erase(steps_.begin());
    --index_;
    clean_ = clean_ > 0 ? clean_ - 1 : -1;
  }
}

bool History::Undo() {
  if (!CanUndo()) return false;
  const bool was_clean = IsClean();
  if (!steps_[index_ - 1]->Undo()) return false;
  --index_;
  Moved(was_clean);
  return true;
}

bool History::Redo() {
  if (!CanRedo()) return false;
  const bool was_clean = IsClean();
  if (!steps_[index_]->Redo()) return false;
  ++index_;
  Moved(was_clean);
  return true;
}

void History::Moved(bool was_clean) {
  if (IsClean() != was_clean) emit CleanChanged(IsClean());
  emit Changed();
}

void History::Clear() {
  steps_.clear();
  index_ = 0;
  clean_ = 0;
  bytes_ = 0;
  emit Changed();
}

void History::SetClean() {
  if (clean_ == index_) return;
  clean_ = index_;
  emit Changed();
}

}  // namespace komasu
