#pragma once
// The icon view of a folder's photo files: thumbnails with the file name below, filled in the
// background with the items on screen first. Self-contained (it owns its provider and model),
// so a file list can offer it as a second view mode.

#include <QListView>
#include <QTimer>

namespace komasu {

class ThumbnailModel;
class ThumbnailProvider;

class ThumbnailView : public QListView {
  Q_OBJECT

 public:
  explicit ThumbnailView(QWidget* parent = nullptr);
  ~ThumbnailView() override;

  void SetFolder(const QString& folder);
  void SetFiles(const QStringList& paths);
  // Selects and scrolls to `path` when it is listed; clears the selection otherwise.
  void SelectPath(const QString& path);
  QString CurrentPath() const;

  ThumbnailModel& Thumbnails() { return *model_; }
  ThumbnailProvider& Provider() { return *provider_; }

  // The rows whose items intersect the viewport, as [first, last]; {-1, -1} when none.
  std::pair<int, int> VisibleRows() const;

 signals:
  // A photo was clicked or chosen with the keyboard.
  void PhotoClicked(const QString& path);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void PrioritiseVisible();

  ThumbnailProvider* provider_;
  ThumbnailModel* model_;
  QTimer visible_changed_;
  bool pressed_current_ = false;
};

}  // namespace komasu
