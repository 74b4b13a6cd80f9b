#include "texttools/label_text_dialog.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editor/storable_text_guard.h"
#include "platform/fonts.h"
#include "platform/stored_color.h"

namespace komasu {

namespace {

// Twips of the dialog's layout to pixels at 96 dpi.
constexpr int Px(int twips) { return twips / 15; }

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* face,
                        QRect twips) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromUtf8(name));
  QFont font(DisplayFamilyFor(QString::fromUtf8(face)));
  font.setPointSizeF(11.25);
  font.setBold(true);
  b->setFont(font);
  b->setGeometry(Px(twips.x()), Px(twips.y()), Px(twips.width()), Px(twips.height()));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

LabelTextDialog::LabelTextDialog(EditorController& editor, int label, bool new_label,
                                 Prompter& prompter, QWidget* parent)
    : QDialog(parent), form_(editor, label, new_label) {
  setObjectName(QStringLiteral("str"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵ-ラベル入力"));
  setFixedSize(Px(5505), Px(4680));

  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("Text1"));
  text_->setGeometry(Px(240), Px(240), Px(5055), Px(3615));
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Labels hold no tabs; Tab goes on to ＯＫ, Ｃａｎｃｅｌ and フォント.
  text_->setTabChangesFocus(true);
  text_->setPlainText(BoxLabelText(form_.OriginalText()));
  ShowAppearance();
  // The guard undoes an unstorable change before the form hears of it.
  StorableTextGuard::Install(text_, prompter);
  connect(text_, &QPlainTextEdit::textChanged, this, &LabelTextDialog::OnTextChanged);

  QPushButton* ok = MakeButton(this, "Command1(0)", "ＯＫ", "ＭＳ Ｐ明朝", {2280, 4080, 1300, 375});
  QPushButton* cancel =
      MakeButton(this, "Command1(1)", "Ｃａｎｃｅｌ", "ＭＳ Ｐ明朝", {3840, 4080, 1300, 375});
  QPushButton* font =
      MakeButton(this, "Command2", "フォント", "ＭＳ Ｐゴシック", {720, 4080, 1300, 375});
  setTabOrder(text_, ok);
  setTabOrder(ok, cancel);
  setTabOrder(cancel, font);
  connect(ok, &QPushButton::clicked, this, [this] {
    form_.Finish(true);
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    form_.Finish(false);
    QDialog::reject();
  });
  connect(font, &QPushButton::clicked, this, [this] {
    if (form_.ChooseFont()) ShowAppearance();
  });
  text_->setFocus();
}

void LabelTextDialog::ShowAppearance() {
  const TextStyle style = form_.Appearance();
  QFont font(DisplayFamilyFor(style.font_name));
  font.setPointSizeF(style.size);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  text_->setFont(font);
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Text, ColorFromCode(style.color));
  text_->setPalette(palette);
}

void LabelTextDialog::OnTextChanged() {
  if (restoring_) return;
  if (form_.TextChanged(text_->toPlainText())) return;
  restoring_ = true;
  text_->setPlainText(BoxLabelText(form_.Text()));
  text_->moveCursor(QTextCursor::End);
  restoring_ = false;
}

void LabelTextDialog::closeEvent(QCloseEvent* event) {
  form_.Close();
  QDialog::closeEvent(event);
}

void LabelTextDialog::reject() {
  // Escape is Ｃａｎｃｅｌ; the close box has already ended the form as it does.
  form_.Finish(false);
  QDialog::reject();
}

void LabelTextDialogEntry::EditLabelText(EditorController& editor, int label, bool new_label) {
  LabelTextDialog dialog(editor, label, new_label, prompter_, parent_);
  dialog.exec();
}

}  // namespace komasu
