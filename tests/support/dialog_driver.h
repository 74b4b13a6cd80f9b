#pragma once
// Answers the modal dialogs a Qt prompter opens, as a user would: every dialog that opens while
// the driver lives is accepted, a font dialog after `edit_font` had its turn.

#include <QFontDialog>
#include <QTimer>
#include <functional>

namespace komasu::test {

class DialogDriver {
 public:
  explicit DialogDriver(std::function<void(QFontDialog&)> edit_font = {});
  // The titles of the dialogs accepted so far, in order.
  const QStringList& Accepted() const { return accepted_; }
  // The font a font dialog showed when it came up, before `edit_font`.
  const QFont& FontShown() const { return font_shown_; }

 private:
  QTimer timer_;
  std::function<void(QFontDialog&)> edit_font_;
  QStringList accepted_;
  QFont font_shown_;
};

}  // namespace komasu::test
