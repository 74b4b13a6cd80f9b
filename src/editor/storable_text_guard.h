#pragma once
// Keeps text the album and settings files cannot store out of an entry field: typing, pasting
// or dropping "ζ", the double quote, a character outside CP932 (or a line break where none is
// allowed) is refused before the field's text changes, and the user is told why. Text the
// program itself puts into the field is not refused.

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace komasu {

class Prompter;

class StorableTextGuard : public QObject {
  Q_OBJECT

 public:
  // Guards `field` for as long as it lives; the guard is a child of the field. A validator the
  // line field already has keeps working behind the guard.
  static StorableTextGuard* Install(QLineEdit* field, Prompter& prompter);
  static StorableTextGuard* Install(QPlainTextEdit* field, Prompter& prompter,
                                    bool allow_line_breaks = true);

  // Why `text` would be refused in this field; empty when it is storable.
  QString Refusal(const QString& text) const;
  // Tells the user `why` once the current input event is done; repeats collapse into one box.
  void Refuse(const QString& why);
  // The field's text before its latest change.
  const QString& LastText() const { return last_text_; }

 private:
  StorableTextGuard(QWidget* field, Prompter& prompter, bool allow_line_breaks);
  void OnPlainTextChanged();

  Prompter& prompter_;
  bool allow_line_breaks_;
  QString pending_;
  QString last_text_;
  int last_cursor_ = 0;
};

}  // namespace komasu
