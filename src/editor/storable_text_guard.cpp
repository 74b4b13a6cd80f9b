#include "editor/storable_text_guard.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QValidator>

#include "platform/cp932.h"
#include "platform/prompter.h"

namespace komasu {

namespace {

// Refuses an edit that would make a storable text unstorable. Text set by the program arrives
// with an empty undo history; it passes, so that filling a field never raises a message, and a
// field already holding such text can still be edited.
class StorableTextValidator : public QValidator {
 public:
  StorableTextValidator(QLineEdit* field, StorableTextGuard* guard, const QValidator* inner)
      : QValidator(guard), field_(field), guard_(guard), inner_(inner) {}

  State validate(QString& input, int& pos) const override {
    const QString why = guard_->Refusal(input);
    if (why.isEmpty() || !field_->isUndoAvailable() ||
        !guard_->Refusal(guard_->LastText()).isEmpty()) {
      return inner_ ? inner_->validate(input, pos) : Acceptable;
    }
    guard_->Refuse(why);
    return Invalid;
  }

  void fixup(QString& input) const override {
    if (inner_) inner_->fixup(input);
  }

 private:
  QLineEdit* field_;
  StorableTextGuard* guard_;
  QPointer<const QValidator> inner_;
};

}  // namespace

StorableTextGuard::StorableTextGuard(QWidget* field, Prompter& prompter, bool allow_line_breaks)
    : QObject(field), prompter_(prompter), allow_line_breaks_(allow_line_breaks) {}

StorableTextGuard* StorableTextGuard::Install(QLineEdit* field, Prompter& prompter) {
  auto* guard = new StorableTextGuard(field, prompter, false);
  guard->last_text_ = field->text();
  connect(field, &QLineEdit::textChanged, guard,
          [guard](const QString& text) { guard->last_text_ = text; });
  field->setValidator(new StorableTextValidator(field, guard, field->validator()));
  return guard;
}

StorableTextGuard* StorableTextGuard::Install(QPlainTextEdit* field, Prompter& prompter,
                                              bool allow_line_breaks) {
  auto* guard = new StorableTextGuard(field, prompter, allow_line_breaks);
  guard->last_text_ = field->toPlainText();
  connect(field, &QPlainTextEdit::textChanged, guard, &StorableTextGuard::OnPlainTextChanged);
  connect(field, &QPlainTextEdit::cursorPositionChanged, guard, [guard, field] {
    if (field->toPlainText() == guard->last_text_) {
      guard->last_cursor_ = field->textCursor().position();
    }
  });
  return guard;
}

QString StorableTextGuard::Refusal(const QString& text) const {
  return UnstorableTextMessage(text, allow_line_breaks_);
}

void StorableTextGuard::Refuse(const QString& why) {
  const bool queued = !pending_.isEmpty();
  pending_ = why;
  if (queued) return;
  QTimer::singleShot(0, this, [this] {
    const QString text = pending_;
    pending_.clear();
    prompter_.Notify(text, QString(), MessageIcon::kExclamation);
  });
}

// A plain-text field has no validator: a refused change is undone right after it happened,
// before the field's later listeners read the text.
void StorableTextGuard::OnPlainTextChanged() {
  auto* field = static_cast<QPlainTextEdit*>(parent());
  const QString text = field->toPlainText();
  if (text == last_text_) return;
  const QString why = Refusal(text);
  const bool by_user = field->document()->isUndoAvailable();
  if (why.isEmpty() || !by_user || !Refusal(last_text_).isEmpty()) {
    last_text_ = text;
    last_cursor_ = field->textCursor().position();
    return;
  }
  const int position = std::min<int>(last_cursor_, static_cast<int>(last_text_.size()));
  field->setPlainText(last_text_);
  QTextCursor cursor = field->textCursor();
  cursor.setPosition(position);
  field->setTextCursor(cursor);
  Refuse(why);
}

}  // namespace komasu
