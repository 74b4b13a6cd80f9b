#include "support/dialog_driver.h"

#include <QApplication>

namespace komasu::test {

DialogDriver::DialogDriver(std::function<void(QFontDialog&)> edit_font)
    : edit_font_(std::move(edit_font)) {
  // Polls from the dialogs' own event loops; the interval only spares the processor.
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    if (auto* font_dialog = qobject_cast<QFontDialog*>(dialog)) {
      font_shown_ = font_dialog->currentFont();
      if (edit_font_) edit_font_(*font_dialog);
    }
    accepted_ << dialog->windowTitle();
    dialog->accept();
  });
  timer_.start();
}

}  // namespace komasu::test
