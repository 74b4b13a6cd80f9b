#pragma once
// The start dialog: the version text and the two buttons that create a new album or open an
// existing one.

#include <QDialog>

namespace komasu {

class StartDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Choice { kNone, kNewAlbum, kOpenAlbum };

  explicit StartDialog(QWidget* parent = nullptr);
  Choice Chosen() const { return choice_; }

 protected:
  // Return and Enter press the focused button, as in any dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Choice choice_ = Choice::kNone;
};

// "ﾊﾞｰｼﾞｮﾝ " followed by major, minor and revision joined with ".".
QString VersionText();

}  // namespace komasu
