#pragma once
// A plain view of the shown page: its number and the slot texts. Stands in until the page
// canvas is drawn.

#include <QWidget>

namespace komasu {

class Album;

class PagePreview : public QWidget {
  Q_OBJECT

 public:
  explicit PagePreview(Album& album, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {520, 700}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Album& album_;
};

}  // namespace komasu
