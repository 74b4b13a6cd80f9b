#include "print/print_dialog.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/number_text.h"
#include "print/painter_print_surface.h"
#include "print/pdf_export.h"
#include "print/print_preflight.h"
#include "print/print_preview_dialog.h"
#include "print/print_progress.h"

namespace komasu {

namespace {

enum Command { kCurrent = 0, kRange = 1, kCancel = 2, kOdd = 3, kEven = 4 };

const QString kTitle = QStringLiteral("印刷");

std::optional<int> PageNumberOf(const QString& text) {
  const std::optional<double> n = ParseTypedNumber(text);
  if (!n || *n < -32768 || *n > 32767) return std::nullopt;
  return static_cast<int>(RoundHalfEven(*n));
}

}  // namespace

QPrinter& PrintDialog::ProgramPrinter() {
  // Lives as long as the program, so the printer chosen in the set-up stays chosen.
  static QPrinter* printer = [] {
    auto* p = new QPrinter(QPrinter::HighResolution);
    p->setColorMode(QPrinter::Color);
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setPageOrientation(QPageLayout::Portrait);
    p->setDocName(QStringLiteral("ＫＯＭＡＳＵⅡ"));
    return p;
  }();
  return *printer;
}

PrintDialog::PrintDialog(AlbumCommands& commands, Prompter& prompter, QWidget* parent)
    : QDialog(parent), commands_(commands), album_(commands.Doc()), prompter_(prompter) {
  setObjectName(QStringLiteral("printf"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-印刷"));
  setModal(true);
  runner_ = [this](const PrintRequest& r) { PrintOnPrinter(r); };

  auto* layout = new QVBoxLayout(this);
  auto button = [this, layout](const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
  };
  QPushButton* current =
      button(QStringLiteral("Command1(0)"), QStringLiteral("現在のページをプリント"));

  auto* range_row = new QHBoxLayout();
  from_ = new QLineEdit(this);
  from_->setObjectName(QStringLiteral("Text1(0)"));
  to_ = new QLineEdit(this);
  to_->setObjectName(QStringLiteral("Text1(1)"));
  for (QLineEdit* e : {from_, to_}) {
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(70);
  }
  auto* tilde = new QLabel(QStringLiteral("～"), this);
  tilde->setObjectName(QStringLiteral("Label1"));
  range_row->addWidget(from_);
  range_row->addWidget(tilde);
  range_row->addWidget(to_);
  range_row->addStretch();
  layout->addLayout(range_row);

  QPushButton* range =
      button(QStringLiteral("Command1(1)"), QStringLiteral("指定ページをプリント"));
  QPushButton* odd = button(QStringLiteral("Command1(3)"), QStringLiteral("奇数ページをプリント"));
  QPushButton* even = button(QStringLiteral("Command1(4)"), QStringLiteral("偶数ページをプリント"));
  QPushButton* preview = button(QStringLiteral("preview"), QStringLiteral("プレビュー"));
  QPushButton* pdf = button(QStringLiteral("pdf"), QStringLiteral("PDF出力"));
  QPushButton* positions = button(QStringLiteral("Command3"), QStringLiteral("印刷位置設定"));
  QPushButton* setup = button(QStringLiteral("Command2"), QStringLiteral("プリンタの設定"));
  QPushButton* cancel = button(QStringLiteral("Command1(2)"), QStringLiteral("キャンセル"));
  preview->setToolTip(QStringLiteral("指定ページの印刷の見本を表示します"));
  pdf->setToolTip(QStringLiteral("指定ページをPDFファイルに書き出します"));

  connect(current, &QPushButton::clicked, this, [this] { PrintCommand(kCurrent); });
  connect(range, &QPushButton::clicked, this, [this] { PrintCommand(kRange); });
  connect(odd, &QPushButton::clicked, this, [this] { PrintCommand(kOdd); });
  connect(even, &QPushButton::clicked, this, [this] { PrintCommand(kEven); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(preview, &QPushButton::clicked, this, &PrintDialog::Preview);
  connect(pdf, &QPushButton::clicked, this, &PrintDialog::SavePdf);
  connect(positions, &QPushButton::clicked, this, &PrintDialog::LayoutSettingsRequested);
  connect(setup, &QPushButton::clicked, this, &PrintDialog::PrinterSetup);

  if (album_.PageCount() == 1) {
    for (QPushButton* b : {range, odd, even}) b->setEnabled(false);
  }
  from_->setText(QStringLiteral("1"));
  to_->setText(QString::number(album_.PageCount()));
}

std::optional<PrintRequest> PrintDialog::RangeRequest() {
  const std::optional<int> from = PageNumberOf(from_->text());
  const std::optional<int> to = PageNumberOf(to_->text());
  if (!from || !to) {
    prompter_.Notify(QStringLiteral("ページ番号を数字で入力してください。"), kTitle,
                     MessageIcon::kExclamation);
    return std::nullopt;
  }
  return PrintRequest{*from, *to, false};
}

void PrintDialog::PrintCommand(int index) {
  const int current = album_.CurrentPage();
  const int count = album_.PageCount();
  PrintRequest request;
  QString question;
  switch (index) {
    case kCurrent:
      question = QStringLiteral("現在のページのプリントを開始します");
      request = {current, current, false};
      break;
    case kRange: {
      const std::optional<PrintRequest> range = RangeRequest();
      if (!range) return;
      question = from_->text() + QStringLiteral("～") + to_->text() +
                 QStringLiteral("ページのプリントを開始します");
      request = *range;
      break;
    }
    case kOdd:
      question = QStringLiteral("奇数(1,3,5…)ページのプリントを開始します");
      request = {1, count, true};
      break;
    case kEven:
      question = QStringLiteral("偶数(2,4,6…)ページのプリントを開始します");
      request = {2, count, true};
      break;
    default:
      return;
  }
  if (!prompter_.AskYesNo(question, kTitle, MessageIcon::kExclamation)) return;
  if (request.start != 0) {
    if (!ConfirmRun(request, kTitle)) return;
    runner_(request);
  }
  accept();
}

bool PrintDialog::ConfirmRun(const PrintRequest& request, const QString& title) {
  // Ticking 補助線 on walks the album page by page.
  std::unique_ptr<QProgressDialog> progress;
  return ConfirmPrintRun(commands_, request, title, [this, &progress](int done, int total) {
    if (!progress) {
      progress = std::make_unique<QProgressDialog>(QStringLiteral("補助線をオンにしています…"),
                                                   QString(), 0, total, this);
      progress->setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-印刷"));
      progress->setWindowModality(Qt::WindowModal);
      progress->setMinimumDuration(400);
    }
    progress->setValue(done);
  });
}

void PrintDialog::PrintOnPrinter(const PrintRequest& request) {
  komasu::PrintOnPrinter(album_, request, Printer(), this);
}

void PrintDialog::Preview() {
  const std::optional<PrintRequest> request = RangeRequest();
  if (!request || !ConfirmRun(*request, QStringLiteral("プレビュー"))) return;
  PrintPreviewDialog preview(album_, *request, Printer(), prompter_, this);
  if (preview.IsReady()) preview.exec();
}

void PrintDialog::SavePdf() {
  const std::optional<PrintRequest> request = RangeRequest();
  if (!request) return;
  QString path = prompter_.ChooseSaveFile(QStringLiteral("PDF出力"), album_.FileSaveFolder(),
                                          QStringLiteral("PDFファイル (*.pdf)"));
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  if (const QString problem = PdfOutputProblem(path, album_.Path()); !problem.isEmpty()) {
    prompter_.Notify(problem, QStringLiteral("PDF出力"), MessageIcon::kExclamation);
    return;
  }
  if (QFile::exists(path) &&
      !prompter_.AskYesNo(QStringLiteral("同じファイル名が存在します！上書きしますか？"),
                          QStringLiteral("上書き"), MessageIcon::kQuestion, true)) {
    return;
  }
  if (!ConfirmRun(*request, QStringLiteral("PDF出力"))) return;
  ProgressMonitor monitor(this, QStringLiteral("PDFに書き出しています"),
                          PagesToPrint(*request, album_.PageCount()));
  const PdfExportResult result = ExportPdf(album_, *request, path, &monitor);
  monitor.Finished();
  if (result.ok) {
    prompter_.Notify(QStringLiteral("PDFファイルを保存しました"), QStringLiteral("PDF出力"));
  } else if (!result.error.isEmpty()) {
    prompter_.Notify(result.error, QStringLiteral("PDF出力"), MessageIcon::kExclamation);
  }
}

void PrintDialog::PrinterSetup() {
  QPrintDialog setup(&Printer(), this);
  setup.setOptions({});
  setup.exec();
}

}  // namespace komasu
