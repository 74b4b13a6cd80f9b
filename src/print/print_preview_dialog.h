#pragma once
// "ＫＯＭＡＳＵ-プレビュー": the pages of a request as they will print, drawn from a private copy
// of the album taken when it opens, so neither the album file nor the editor's page moves. Its
// print button prints what it shows as the print dialog prints: each page a job of its own.

#include <QDialog>
#include <memory>

#include "print/print_run.h"
#include "print/private_album_copy.h"

class QPrinter;
class QPrintPreviewWidget;

namespace komasu {

class PrintPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // `printer` is the printer the print button prints on; the preview takes its page layout.
  PrintPreviewDialog(Album& album, const PrintRequest& request, QPrinter& printer,
                     Prompter& prompter, QWidget* parent = nullptr);
  ~PrintPreviewDialog() override;

  // False when the album could not be copied; the user was told.
  bool IsReady() const { return copy_ != nullptr; }

 private:
  void Paint(QPrinter* preview);
  void Print();

  Prompter& prompter_;
  PrintRequest request_;
  QPrinter& printer_;
  std::unique_ptr<PrivateAlbumCopy> copy_;
  QPrintPreviewWidget* view_ = nullptr;
};

}  // namespace komasu
