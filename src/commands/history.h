#pragma once
// The undo history of one open album: the steps done, in order, and the place between those
// that can be undone and those that can be redone. It is capped by steps and by the bytes the
// steps hold, the oldest going first, and remembers the step at which the album was saved
// (its clean state). It lives in memory only.

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace komasu {

// One change that can be undone and redone; constructed after it was done.
class UndoStep {
 public:
  explicit UndoStep(QString name) : name_(std::move(name)) {}
  virtual ~UndoStep() = default;
  const QString& Name() const { return name_; }
  // False when the album refused (a write that failed was reported): the step stays where it
  // was.
  virtual bool Undo() = 0;
  virtual bool Redo() = 0;
  // The memory the step holds, for the cap.
  virtual qsizetype Bytes() const = 0;
  // Takes `next`, done right after this step, into this one when both are one edit (typing in
  // one field); true when merged.
  virtual bool Absorb(const UndoStep& /*next*/) { return false; }

 private:
  QString name_;
};

class History : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMaxSteps = 100;
  static constexpr qsizetype kMaxBytes = 64ll * 1024 * 1024;

  // A step just done; the steps that could be redone go.
  void Push(std::unique_ptr<UndoStep> step);
  bool CanUndo() const { return index_ > 0; }
  bool CanRedo() const { return index_ < static_cast<int>(steps_.size()); }
  QString UndoName() const { return CanUndo() ? steps_[index_ - 1]->Name() : QString(); }
  QString RedoName() const { return CanRedo() ? steps_[index_]->Name() : QString(); }
  bool Undo();
  bool Redo();
  void Clear();
  // The album as it is now is the album as saved.
  void SetClean();
  bool IsClean() const { return clean_ == index_; }
  int Count() const { return static_cast<int>(steps_.size()); }
  qsizetype Bytes() const { return bytes_; }

 signals:
  // What can be undone or redone, or the clean state, changed.
  void Changed();
  // Undo or redo reached the saved state (true) or left it (false).
  void CleanChanged(bool clean);

 private:
  void Trim();
  void Moved(bool was_clean);

  std::vector<std::unique_ptr<UndoStep>> steps_;
  int index_ = 0;  // steps before it are done
  int clean_ = 0;  // -1 when the saved state can no longer be reached
  qsizetype bytes_ = 0;
};

}  // namespace komasu
