#include "print/print_preview_dialog.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/prompter.h"
#include "print/painter_print_surface.h"
#include "print/print_progress.h"

namespace komasu {

PrintPreviewDialog::PrintPreviewDialog(Album& album, const PrintRequest& request, QPrinter& printer,
                                       Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), request_(request), printer_(printer) {
  setObjectName(QStringLiteral("preview"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-プレビュー"));
  QString error;
  copy_ = PrivateAlbumCopy::Of(album, &error);
  if (!copy_) {
    prompter_.Notify(error, QStringLiteral("プレビュー"), MessageIcon::kExclamation);
    return;
  }

  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout();
  auto button = [this, buttons](const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    buttons->addWidget(b);
    return b;
  };
  QPushButton* print = button(QStringLiteral("print"), QStringLiteral("印刷"));
  QPushButton* previous = button(QStringLiteral("previous"), QStringLiteral("前のページ"));
  QPushButton* next = button(QStringLiteral("next"), QStringLiteral("次のページ"));
  QPushButton* zoom_in = button(QStringLiteral("zoomIn"), QStringLiteral("拡大"));
  QPushButton* zoom_out = button(QStringLiteral("zoomOut"), QStringLiteral("縮小"));
  QPushButton* fit = button(QStringLiteral("fit"), QStringLiteral("全体"));
  buttons->addStretch();
  QPushButton* close = button(QStringLiteral("close"), QStringLiteral("閉じる"));
  layout->addLayout(buttons);

  // The preview widget draws through its own printer object; it never prints on it.
  view_ = new QPrintPreviewWidget(&printer_, this);
  view_->setObjectName(QStringLiteral("view"));
  layout->addWidget(view_, 1);
  connect(view_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewDialog::Paint);
  connect(print, &QPushButton::clicked, this, &PrintPreviewDialog::Print);
  connect(previous, &QPushButton::clicked, view_,
          [this] { view_->setCurrentPage(view_->currentPage() - 1); });
  connect(next, &QPushButton::clicked, view_,
          [this] { view_->setCurrentPage(view_->currentPage() + 1); });
  connect(zoom_in, &QPushButton::clicked, view_, [this] { view_->zoomIn(); });
  connect(zoom_out, &QPushButton::clicked, view_, [this] { view_->zoomOut(); });
  connect(fit, &QPushButton::clicked, view_, &QPrintPreviewWidget::fitInView);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  resize(800, 900);
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

void PrintPreviewDialog::Paint(QPrinter* preview) {
  PainterPrintSurface surface(*preview, PainterPrintSurface::Documents::kOne);
  PrintPageRun(copy_->album(), request_, surface, nullptr, RunPageMoves::kWithoutWriteBack);
  surface.Finish();
}

void PrintPreviewDialog::Print() {
  const QString question =
      request_.start == request_.end
          ? QStringLiteral("%1ページのプリントを開始します").arg(request_.start)
          : QStringLiteral("%1～%2ページのプリントを開始します")
                .arg(request_.start)
                .arg(request_.end);
  if (!prompter_.AskYesNo(question, QStringLiteral("印刷"), MessageIcon::kExclamation)) return;
  PrintOnPrinter(copy_->album(), request_, printer_, this, RunPageMoves::kWithoutWriteBack);
}

}  // namespace komasu
