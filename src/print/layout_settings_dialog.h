#pragma once
// The modal layout settings dialog `position` ("設定"): a thin widget over
// LayoutSettingsForm, which holds every value and rule.

#include <QDialog>
#include <array>

#include "platform/program_folder.h"
#include "print/layout_settings_form.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace komasu {

class Prompter;
class PreviewLine;

class LayoutSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  LayoutSettingsDialog(ProgramFolder folder, Prompter& prompter, QWidget* parent = nullptr);

 signals:
  // After a successful "設定": the texts of the line width, arrow length and arrow angle
  // fields, for the main window's callout settings.
  void LineSettingsConfirmed(const QString& width, const QString& length, const QString& angle);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFields(QGridLayout* grid);
  void ShowForm();
  void Confirm();

  LayoutSettingsForm form_;
  Prompter& prompter_;
  bool showing_ = false;
  std::array<QLineEdit*, kPositionValues> fields_{};
  std::array<QLabel*, 5> swatches_{};
  QRadioButton* white_ = nullptr;
  QRadioButton* transparent_ = nullptr;
  std::array<QRadioButton*, 3> bindings_{};
  QLabel* sample_ = nullptr;
  PreviewLine* preview_ = nullptr;
};

}  // namespace komasu
