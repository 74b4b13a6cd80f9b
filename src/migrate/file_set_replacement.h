#pragma once
// Replaces a set of files all at once or not at all. Each new content is written and synced
// beside its target first; only when every one is written are they renamed into place, each
// replaced file kept aside under a hidden name until the last rename went through. On any
// failure what was written is removed and every replaced file is put back, so the folders hold
// what they held before, down to the files' identity.

#include <QByteArrayView>
#include <QString>
#include <system_error>
#include <vector>

namespace komasu {

class FileSetReplacement {
 public:
  FileSetReplacement() = default;
  ~FileSetReplacement();  // removes what is still staged
  FileSetReplacement(const FileSetReplacement&) = delete;
  FileSetReplacement& operator=(const FileSetReplacement&) = delete;

  // Writes `bytes` beside `target` (beside the file a symbolic link names). False when that
  // fails; FailedTarget() and Reason() say where and why.
  bool Stage(const QString& target, QByteArrayView bytes);
  // Puts every staged file in place of its target. False when one cannot be: then every
  // target is as it was and nothing staged is left.
  bool Commit();

  const QString& FailedTarget() const { return failed_target_; }
  // Why, in words for the user ("空き容量が足りません。").
  const QString& Reason() const { return reason_; }

 private:
  struct Entry {
    QString target;  // as given, for the message
    QString path;    // the file that is replaced
    QString staged;  // the new content until it is in place
    QString aside;   // the replaced file while the set is put in place
    bool placed = false;
  };
  bool Fail(const Entry& entry, std::error_code error);
  // Moves the old file aside and the new one in; false with place_error_ set when it cannot.
  bool Place(Entry& entry);
  void Restore(Entry& entry);
  void Discard();

  std::vector<Entry> entries_;
  QString failed_target_;
  QString reason_;
  std::error_code place_error_;
};

}  // namespace komasu
