#pragma once
// The only way the core asks the user anything: questions, notices, input boxes and the file,
// folder and font choosers. The GUI implements it with Qt dialogs; tests script the answers.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace komasu {

enum class MessageIcon { kNone, kQuestion, kExclamation, kStop, kInformation, kWarning };

// A font as the font chooser edits it.
struct FontChoice {
  QString name;
  double size = 9.75;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int32_t color = 0;  // RGB, red in the low byte
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  // Yes/No question; true only for Yes. `default_no` puts the initial focus on No.
  virtual bool AskYesNo(const QString& text, const QString& title, MessageIcon icon,
                        bool default_no = false) = 0;
  // Yes/No/Cancel question; nothing for Cancel (or the box closed).
  virtual std::optional<bool> AskYesNoCancel(const QString& text, const QString& title,
                                             MessageIcon icon) = 0;
  // A choice among buttons captioned `buttons`, the first the default; the index of the one
  // pressed. Escape and the close box choose the last, which is the one that changes nothing.
  virtual int Choose(const QString& text, const QString& title, MessageIcon icon,
                     const QStringList& buttons) = 0;
  // OK box. An empty title shows the application title.
  virtual void Notify(const QString& text, const QString& title = {},
                      MessageIcon icon = MessageIcon::kNone) = 0;
  // Input box; nullopt when cancelled.
  virtual std::optional<QString> AskText(const QString& prompt, const QString& title,
                                         const QString& default_text) = 0;
  // File choosers; an empty string when cancelled. `filter` is in Qt's form
  // ("すべてのファイル (*.apt)").
  virtual QString ChooseOpenFile(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
  virtual QString ChooseSaveFile(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
  virtual QString ChooseFolder(const QString& title, const QString& folder) = 0;
  // Font chooser preset with `initial`; nullopt when cancelled.
  virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
};

// The application title that untitled boxes show.
inline QString ApplicationTitle() { return QStringLiteral("ＫＯＭＡＳＵⅡ"); }

}  // namespace komasu
