#pragma once
// The main window: menus, toolbar, cover fields, page number display and the page area, wired
// to the Album's operations. It re-reads and applies the settings files whenever it becomes
// active and asks before closing when the album was modified.

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <functional>
#include <memory>

#include "editor/text_measure.h"

class QAction;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace komasu {

class Album;
class AlbumCommands;
class EditorController;
class HelpWindow;
class LabelTextEntry;
class PageOverview;
class PhotoInsertDialog;
class Prompter;
class SlotTextPanel;
class WordListDialog;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(EditorController& editor, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the start dialog and runs its choice; false when no album is open afterwards.
  bool RunStartDialog();
  // What becoming active does: end the program when no album is open, otherwise re-read
  // fontinfo.ini and position.ini and apply them.
  void OnActivated();

  // The menu item or toolbar button with this control name.
  QAction* Command(const QString& name) const { return commands_.value(name); }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddCommand(QWidget* menu_or_bar, const QString& name, const QString& caption,
                      std::function<void()> handler);
  void BuildMenus();
  void BuildToolBar();
  void BuildCentralArea();
  // The page overview, docked on the left (表示 → ページ一覧).
  void BuildPageOverview();
  // The label buttons and the position fields Ｘ, Ｙ.
  void WireLabelTools(QWidget* tools, QVBoxLayout* side);
  void UpdateCommandStates();
  void ShowAlbumState();
  // 元に戻す / やり直し name the step they would take back or do again.
  void UpdateUndoCommands();
  // Runs a modal dialog; the window is active again afterwards.
  void RunModal(QDialog& dialog);

  void OpenJumpDialog();
  void OpenPrintDialog();
  void OpenLayoutSettings();
  // The photo insert dialog: modal from the menu, modeless from the toolbar.
  void OpenPhotoDialog(bool modal);
  void OpenDriveSettings();
  void OpenSettingsMigration();
  void ShowHelp();
  void ShowAbout();
  void OpenWordLists();
  void OpenCopyTool();

  EditorController& editor_;
  AlbumCommands& album_commands_;
  Album& album_;
  Prompter& prompter_;
  QMap<QString, QAction*> commands_;
  QLineEdit* cover_[3] = {};
  QLineEdit* page_number_ = nullptr;
  QLineEdit* page_count_ = nullptr;
  QLabel* path_label_ = nullptr;
  QWidget* page_area_ = nullptr;
  SlotTextPanel* slot_panel_ = nullptr;
  bool quitting_ = false;
  FontTextMeasure label_measure_;
  std::unique_ptr<LabelTextEntry> label_text_entry_;
  QLineEdit* position_[2] = {};
  QPointer<WordListDialog> word_lists_;
  QPointer<PhotoInsertDialog> photo_dialog_;
  QPointer<HelpWindow> help_;
  PageOverview* overview_ = nullptr;
};

}  // namespace komasu
