#pragma once
// The print dialog "ＫＯＭＡＳＵ-印刷": the current page, a range, the odd or the even pages on
// the program's printer (each page a job of its own), a preview and PDF output of the range,
// the printer set-up and the way to the layout settings.

#include <QDialog>
#include <functional>
#include <optional>

#include "album/album.h"
#include "commands/album_commands.h"
#include "platform/prompter.h"
#include "print/print_run.h"

class QLineEdit;
class QPrinter;
class QPushButton;

namespace komasu {

class PrintDialog : public QDialog {
  Q_OBJECT

 public:
  PrintDialog(AlbumCommands& commands, Prompter& prompter, QWidget* parent = nullptr);

  // What a confirmed print command does with its request; by default it prints on the
  // program's printer with a progress window. Tests put a recorder here.
  using PrintRunner = std::function<void(const PrintRequest&)>;
  void SetPrintRunner(PrintRunner runner) { runner_ = std::move(runner); }

  // The printer every run prints on; "プリンタの設定" changes it for later runs too.
  static QPrinter& ProgramPrinter();
  // The printer this dialog prints on: the program's printer unless a test puts another here.
  void SetPrinter(QPrinter& printer) { printer_ = &printer; }

 signals:
  // "印刷位置設定": the main window opens the layout settings dialog; this one stays open.
  void LayoutSettingsRequested();

 private:
  QPrinter& Printer() { return printer_ ? *printer_ : ProgramPrinter(); }
  void PrintCommand(int index);
  void PrintOnPrinter(const PrintRequest& request);
  std::optional<PrintRequest> RangeRequest();
  void Preview();
  void SavePdf();
  void PrinterSetup();
  // The questions before a run (texts without 補助線, lines cut, photos missing); false when the
  // user cancelled.
  bool ConfirmRun(const PrintRequest& request, const QString& title);

  AlbumCommands& commands_;
  Album& album_;
  Prompter& prompter_;
  PrintRunner runner_;
  QPrinter* printer_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
};

}  // namespace komasu
