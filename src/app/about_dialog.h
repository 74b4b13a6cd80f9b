#pragma once
// The version box.

#include <QDialog>

namespace komasu {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace komasu
