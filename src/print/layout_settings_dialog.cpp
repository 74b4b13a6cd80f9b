#include "print/layout_settings_dialog.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/prompter.h"
#include "platform/stored_color.h"

namespace komasu {

// The preview line `Line5`: a horizontal line of pen width 2 in the chosen callout colour.
class PreviewLine : public QWidget {
 public:
  explicit PreviewLine(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Line5"));
    setMinimumSize(120, 12);
  }
  void SetColor(const QColor& c) {
    color_ = c;
    update();
  }
  QColor Color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(color_, 2));
    p.drawLine(4, height() / 2, width() - 4, height() / 2);
  }

 private:
  QColor color_ = Qt::black;
};

LayoutSettingsDialog::LayoutSettingsDialog(ProgramFolder folder, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), form_(std::move(folder)), prompter_(prompter) {
  setObjectName(QStringLiteral("position"));
  setWindowTitle(QStringLiteral("設定"));
  setModal(true);

  auto* root = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("印刷位置設定"), this);
  QFont hf = heading->font();
  hf.setBold(true);
  hf.setPointSizeF(hf.pointSizeF() * 1.3);
  heading->setFont(hf);
  root->addWidget(heading);

  auto* grid = new QGridLayout;
  root->addLayout(grid);
  BuildFields(grid);

  auto* buttons = new QHBoxLayout;
  auto* ok_button = new QPushButton(QStringLiteral("設定"), this);
  ok_button->setObjectName(QStringLiteral("Command1"));
  auto* cancel_button = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel_button->setObjectName(QStringLiteral("Command2"));
  auto* defaults_button = new QPushButton(QStringLiteral("初期設定"), this);
  defaults_button->setObjectName(QStringLiteral("Command4"));
  buttons->addWidget(defaults_button);
  buttons->addStretch();
  buttons->addWidget(ok_button);
  buttons->addWidget(cancel_button);
  root->addLayout(buttons);

  connect(ok_button, &QPushButton::clicked, this, &LayoutSettingsDialog::Confirm);
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
  connect(defaults_button, &QPushButton::clicked, this, [this] {
    if (form_.RestoreDefaults(prompter_)) ShowForm();
  });

  form_.Load();
  ShowForm();
}

void LayoutSettingsDialog::BuildFields(QGridLayout* grid) {
  auto add_field = [this](QGridLayout* g, int row, int col, int k, const QString& caption,
                          const QString& unit) {
    g->addWidget(new QLabel(caption, this), row, col);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text1(%1)").arg(k));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(70);
    g->addWidget(edit, row, col + 1);
    if (!unit.isEmpty()) g->addWidget(new QLabel(unit, this), row, col + 2);
    fields_[k] = edit;
  };
  const QString mm = QStringLiteral("mm");
  const QString point = QStringLiteral("Point");
  // The odd-page set belongs to the left page picture, the even-page set to the right one.
  for (int side = 0; side < 2; ++side) {
    auto* box = new QGroupBox(
        side == 0 ? QStringLiteral("左ページ（奇数）") : QStringLiteral("右ページ（偶数）"), this);
    auto* g = new QGridLayout(box);
    const int base = side * 5;
    add_field(g, 0, 0, base + 0, QStringLiteral("全体Ｘ位置"), mm);
    add_field(g, 1, 0, base + 1, QStringLiteral("全体Ｙ位置"), mm);
    add_field(g, 2, 0, base + 2, QStringLiteral("上段Ｙ位置"), mm);
    add_field(g, 3, 0, base + 3, QStringLiteral("中断Ｙ位置"), mm);
    add_field(g, 4, 0, base + 4, QStringLiteral("下段Ｙ位置"), mm);
    grid->addWidget(box, 0, side);
  }

  auto* photo = new QGroupBox(QStringLiteral("写真"), this);
  auto* pg = new QGridLayout(photo);
  add_field(pg, 0, 0, 11, QStringLiteral("写真Ｘ位置"), mm);
  add_field(pg, 1, 0, 12, QStringLiteral("写真Ｙ位置"), mm);
  add_field(pg, 2, 0, 13, QStringLiteral("写真倍率"), QStringLiteral("％"));
  add_field(pg, 3, 0, 10, QStringLiteral("枠線太さ"), point);
  grid->addWidget(photo, 1, 0);

  auto* font_box = new QGroupBox(QStringLiteral("フォント"), this);
  auto* fl = new QVBoxLayout(font_box);
  sample_ = new QLabel(QStringLiteral("フォントサンプル"), this);
  sample_->setObjectName(QStringLiteral("RT"));
  sample_->setMinimumHeight(40);
  fl->addWidget(sample_);
  auto* font_button = new QPushButton(QStringLiteral("フォント設定"), this);
  font_button->setObjectName(QStringLiteral("Command3"));
  fl->addWidget(font_button, 0, Qt::AlignLeft);
  connect(font_button, &QPushButton::clicked, this, [this] {
    form_.ChooseFont(prompter_);
    ShowForm();
  });
  grid->addWidget(font_box, 1, 1);

  auto* frame1 = new QGroupBox(QStringLiteral("ラベル背景設定"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  auto* f1 = new QHBoxLayout(frame1);
  white_ = new QRadioButton(QStringLiteral("白抜き"), frame1);
  white_->setObjectName(QStringLiteral("Option3"));
  transparent_ = new QRadioButton(QStringLiteral("透明"), frame1);
  transparent_->setObjectName(QStringLiteral("Option1"));
  f1->addWidget(white_);
  f1->addWidget(transparent_);
  connect(white_, &QRadioButton::clicked, this, [this] {
    form_.SelectBackground(LabelBackground::kWhite);
    ShowForm();
  });
  connect(transparent_, &QRadioButton::clicked, this, [this] {
    form_.SelectBackground(LabelBackground::kTransparent);
    ShowForm();
  });
  grid->addWidget(frame1, 2, 0);

  auto* frame2 = new QGroupBox(QStringLiteral("とじしろ"), this);
  frame2->setObjectName(QStringLiteral("Frame2"));
  auto* f2 = new QHBoxLayout(frame2);
  const QString binding_names[3] = {QStringLiteral("左右とじ"), QStringLiteral("左とじ"),
                                    QStringLiteral("右とじ")};
  for (int b = 0; b < 3; ++b) {
    bindings_[b] = new QRadioButton(binding_names[b], frame2);
    bindings_[b]->setObjectName(QStringLiteral("Option%1").arg(4 + b));
    f2->addWidget(bindings_[b]);
    connect(bindings_[b], &QRadioButton::clicked, this, [this, b] {
      form_.SelectBinding(b);
      ShowForm();
    });
  }
  grid->addWidget(frame2, 2, 1);

  auto* line_box = new QGroupBox(QStringLiteral("ライン"), this);
  auto* lg = new QGridLayout(line_box);
  add_field(lg, 0, 0, 15, QStringLiteral("ラインの太さ"), point);
  add_field(lg, 1, 0, 16, QStringLiteral("矢印の長さ"), QString());
  add_field(lg, 2, 0, 17, QStringLiteral("矢印の角度"), QStringLiteral("度"));
  lg->addWidget(new QLabel(QStringLiteral("カラー設定"), this), 3, 0);
  auto* swatch_row = new QHBoxLayout;
  for (int i = 0; i < 5; ++i) {
    auto* swatch = new QLabel(QStringLiteral("▼"), this);
    swatch->setObjectName(QStringLiteral("Label7(%1)").arg(i));
    swatch->setStyleSheet(QStringLiteral("color: %1;").arg(ColorFromCode(kSwatchColors[i]).name()));
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->installEventFilter(this);
    swatch_row->addWidget(swatch);
    swatches_[i] = swatch;
  }
  lg->addLayout(swatch_row, 3, 1, 1, 2);
  preview_ = new PreviewLine(this);
  lg->addWidget(preview_, 4, 0, 1, 3);
  grid->addWidget(line_box, 3, 0, 1, 2);

  // The hidden fields are set only through the options and the swatches.
  for (int k : {14, 18, 19}) {
    fields_[k] = new QLineEdit(this);
    fields_[k]->setObjectName(QStringLiteral("Text1(%1)").arg(k));
    fields_[k]->hide();
  }
  for (int k = 0; k < kPositionValues; ++k) {
    connect(fields_[k], &QLineEdit::textChanged, this, [this, k](const QString& text) {
      if (showing_) return;
      form_.SetField(k, text);
      preview_->SetColor(ColorFromCode(form_.PreviewColor()));
    });
  }
}

bool LayoutSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    for (int i = 0; i < 5; ++i) {
      if (watched == swatches_[i]) {
        form_.ClickSwatch(i);
        ShowForm();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void LayoutSettingsDialog::ShowForm() {
  showing_ = true;
  for (int k = 0; k < kPositionValues; ++k) {
    if (fields_[k]->text() != form_.Field(k)) fields_[k]->setText(form_.Field(k));
  }
  if (const auto b = form_.Background()) {
    (*b == LabelBackground::kWhite ? white_ : transparent_)->setChecked(true);
  }
  if (const auto b = form_.Binding()) bindings_[*b]->setChecked(true);
  const SlotTextFont& f = form_.Font();
  QFont font(f.name);
  font.setPointSizeF(f.size > 0 ? f.size : 9.75);
  font.setStrikeOut(f.strikethrough);
  font.setBold(f.bold);
  font.setItalic(f.italic);
  sample_->setFont(font);
  sample_->setStyleSheet(QStringLiteral("color: %1;").arg(ColorFromCode(f.color).name()));
  preview_->SetColor(ColorFromCode(form_.PreviewColor()));
  showing_ = false;
}

void LayoutSettingsDialog::Confirm() {
  if (form_.Confirm(prompter_) != LayoutSettingsForm::ConfirmResult::kSaved) return;
  emit LineSettingsConfirmed(form_.Field(15), form_.Field(16), form_.Field(17));
  accept();
}

}  // namespace komasu
