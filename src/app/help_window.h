#pragma once
// The help window "ＫＯＭＡＳＵ-ヘルプ": help.txt of the program folder, read-only, in a window of
// the program beside the main window, so help shows on any desktop. A help.txt that cannot be
// read shows the help the program was built with.

#include <QDialog>

class QPlainTextEdit;

namespace komasu {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  HelpWindow(const QString& help_txt, QWidget* parent = nullptr);

  // Reads the file again (the user may have edited it since).
  void Reload();
  QString Text() const;

 private:
  QString help_txt_;
  QPlainTextEdit* text_;
};

}  // namespace komasu
