#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "album/album.h"
#include "commands/album_commands.h"
#include "app/about_dialog.h"
#include "app/help_window.h"
#include "app/page_overview.h"
#include "editor/editor_controller.h"
#include "editor/label_editing.h"
#include "editor/line_editing.h"
#include "editor/page_jump_dialog.h"
#include "editor/page_view.h"
#include "editor/slot_text_commands.h"
#include "editor/slot_text_panel.h"
#include "app/start_dialog.h"
#include "editor/storable_text_guard.h"
#include "editor/work_progress.h"
#include "migrate/settings_migration_dialog.h"
#include "photos/drive_settings_dialog.h"
#include "photos/photo_drop.h"
#include "photos/photo_insert_dialog.h"
#include "platform/prompter.h"
#include "print/layout_settings_dialog.h"
#include "print/print_dialog.h"
#include "print/print_text_column.h"
#include "texttools/copy_tool_dialog.h"
#include "texttools/csv_transfer.h"
#include "texttools/label_text_dialog.h"
#include "texttools/word_list_dialog.h"

namespace komasu {

namespace {

// Commands that need an open album, disabled until a page is shown.
const QStringList kAlbumCommands = {
    "f3",     "f4",     "f7",       "e1",          "e3",          "e4",          "v1",
    "v2",     "v3",     "v5",       "e5",          "e6",          "fc1",         "fc2",
    "fileV3", "fileV4", "fileV5",   "hensV1",      "hensV2",      "pergV1",      "Command7",
    "pergV2", "pergV3", "Command4", "Command1(0)", "Command1(1)", "Command1(2)", "Command1(3)",
    "editMovePage"};

// Commands that change the album file, disabled while it is read-only. "上書き保存" stays
// enabled and says why it cannot save.
const QStringList kWritingCommands = {"v1",     "v5",     "v2",  "pergV1",
                                      "Command7", "pergV2", "fc1", "editMovePage"};

}  // namespace

MainWindow::MainWindow(EditorController& editor, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent),
      editor_(editor),
      album_commands_(editor.Commands()),
      album_(editor.Doc()),
      prompter_(prompter) {
  setObjectName(QStringLiteral("pritm"));
  setWindowTitle(QStringLiteral("ＫＯＭＡＳＵⅡ"));
  BuildMenus();
  BuildToolBar();
  BuildCentralArea();
  // As large as the page needs, within the screen.
  QSize size(1180, 900);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableSize() - QSize(40, 60));
  }
  resize(size);
  connect(&album_, &Album::PageShown, this, [this] { ShowAlbumState(); });
  connect(&album_, &Album::AlbumOpened, this, [this] { ShowAlbumState(); });
  connect(&album_commands_.Steps(), &History::Changed, this, &MainWindow::UpdateUndoCommands);
  UpdateUndoCommands();
  UpdateCommandStates();
  ShowAlbumState();
}

MainWindow::~MainWindow() {
  editor_.SetTextMeasure(nullptr);
  editor_.SetLabelTextEntry(nullptr);
}

QAction* MainWindow::AddCommand(QWidget* menu_or_bar, const QString& name, const QString& caption,
                                std::function<void()> handler) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setToolTip(caption);
  menu_or_bar->addAction(action);
  // Commands of later steps have no handler yet.
  if (handler) connect(action, &QAction::triggered, this, std::move(handler));
  commands_.insert(name, action);
  return action;
}

void MainWindow::BuildMenus() {
  auto separator = [this](QMenu* menu, const QString& name) {
    QAction* s = menu->addSeparator();
    s->setObjectName(name);
    commands_.insert(name, s);
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  AddCommand(file, "f0", "新規アルバム", [this] {
    album_.NewAlbum();
  })->setShortcut(QKeySequence::New);
  AddCommand(file, "f1", "アルバムを開く", [this] {
    album_.OpenAlbum();
  })->setShortcut(QKeySequence::Open);
  separator(file, "f2");
  AddCommand(file, "f3", "上書き保存", [this] { album_.Save(); })->setShortcut(QKeySequence::Save);
  AddCommand(file, "f4", "名前を付けて保存", [this] {
    album_.SaveAlbumAs();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  separator(file, "f5");
  AddCommand(file, "fc1", "CSV読込", [this] {
    const QString path = ChooseCsvImportFile(album_);
    if (path.isEmpty()) return;
    CsvResult result;
    {
      WorkProgress progress(this, QStringLiteral("CSVファイルを読み込んでいます…"),
                            album_.TimeSource());
      result = ReadCsvFile(album_commands_, path, progress.Callback());
    }
    TellCsvImported(album_, result);
  });
  AddCommand(file, "fc2", "CSV書出", [this] {
    const QString path = ChooseCsvExportFile(album_);
    if (path.isEmpty()) return;
    CsvResult result;
    {
      WorkProgress progress(this, QStringLiteral("CSVファイルに書き出しています…"),
                            album_.TimeSource());
      result = ExportCsv(album_, path, progress.Callback());
    }
    TellCsvExported(album_, result);
  });
  separator(file, "f111");
  AddCommand(file, "f7", "印刷", [this] { OpenPrintDialog(); })->setShortcut(QKeySequence::Print);
  separator(file, "f8");
  // As the close box: typed text is never dropped without the closing question.
  AddCommand(file, "f9", "閉じる", [this] { close(); });

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  AddCommand(edit, "editUndo", "元に戻す", [this] { album_commands_.Undo(); })
      ->setShortcut(QKeySequence::Undo);
  AddCommand(edit, "editRedo", "やり直し", [this] { album_commands_.Redo(); })
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  separator(edit, "editUndoEnd");
  AddCommand(edit, "editMovePage", "ページの移動…", [this] { album_commands_.AskMovePage(); });
  AddCommand(edit, "e5", "コピー", [this] { OpenCopyTool(); });
  AddCommand(edit, "e6", "連番", [this] { slot_panel_->NumberSlotsSerially(); });
  separator(edit, "e7");
  AddCommand(edit, "e1", "写真編集", [this] { OpenPhotoDialog(true); });
  AddCommand(edit, "e4", "補助文字", [this] { OpenWordLists(); });
  separator(edit, "e2");
  AddCommand(edit, "e3", "クリア", [this] { ClearLabel(editor_); });

  QMenu* page = menuBar()->addMenu(QStringLiteral("ページ(&P)"));
  AddCommand(page, "v1", "ページの追加", [this] { album_commands_.AppendPage(); });
  AddCommand(page, "v5", "ページの挿入", [this] { album_commands_.InsertPage(); });
  AddCommand(page, "v2", "ページの削除", [this] { album_commands_.AskDeletePage(); });
  AddCommand(page, "v3", "ページへジャンプ", [this] { OpenJumpDialog(); });

  QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  QAction* overview = AddCommand(view, "viewPageOverview", "ページ一覧", {});
  overview->setCheckable(true);

  QMenu* settings = menuBar()->addMenu(QStringLiteral("設定(&S)"));
  AddCommand(settings, "o1", "ドライブの設定", [this] { OpenDriveSettings(); });
  AddCommand(settings, "o2", "印刷設定", [this] { OpenLayoutSettings(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  AddCommand(help, "H1", "ヘルプ", [this] { ShowHelp(); })->setShortcut(QKeySequence::HelpContents);
  AddCommand(help, "o3", "前Verから設定移行", [this] { OpenSettingsMigration(); });
  separator(help, "hh");
  AddCommand(help, "H3", "バージョン情報", [this] { ShowAbout(); });
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("ツールバー"));
  bar->setObjectName(QStringLiteral("Toolbar1"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  auto button = [&](const QString& name, const QString& tip, QStyle::StandardPixmap icon,
                    std::function<void()> handler, const QString& text = {}) {
    QAction* a = AddCommand(bar, name, text.isEmpty() ? tip : text, handler);
    a->setToolTip(tip);
    a->setIcon(style()->standardIcon(icon));
    return a;
  };
  button(
      "fileV1", "新規アルバム", QStyle::SP_FileIcon, [this] { album_.NewAlbum(); }, "新規");
  button(
      "fileV2", "アルバムを開く", QStyle::SP_DialogOpenButton, [this] { album_.OpenAlbum(); },
      "開く");
  button(
      "fileV3", "上書き保存", QStyle::SP_DialogSaveButton, [this] { album_.Save(); }, "保存");
  button(
      "fileV4", "名前を付けて保存", QStyle::SP_DriveFDIcon, [this] { album_.SaveAlbumAs(); },
      "別名保存");
  button("fileV5", "印刷", QStyle::SP_ComputerIcon, [this] { OpenPrintDialog(); });
  bar->addSeparator();
  button("undoV", "元に戻す", QStyle::SP_ArrowBack, [this] { album_commands_.Undo(); });
  button("redoV", "やり直し", QStyle::SP_ArrowForward, [this] { album_commands_.Redo(); });
  bar->addSeparator();
  button(
      "hensV1", "写真編集", QStyle::SP_DirIcon, [this] { OpenPhotoDialog(false); }, "写真");
  button(
      "hensV2", "補助文字", QStyle::SP_FileDialogDetailedView, [this] { OpenWordLists(); },
      "補助文字");
  bar->addSeparator();
  button(
      "pergV1", "ページの追加", QStyle::SP_FileDialogNewFolder, [this] { album_commands_.AppendPage(); },
      "追加");
  button(
      "Command7", "ページの挿入", QStyle::SP_ArrowDown, [this] { album_commands_.InsertPage(); }, "挿入");
  button(
      "pergV2", "ページの削除", QStyle::SP_TrashIcon, [this] { album_commands_.AskDeletePage(); },
      "削除");
  button(
      "pergV3", "ページへジャンプ", QStyle::SP_FileDialogContentsView, [this] { OpenJumpDialog(); },
      "ジャンプ");
  button(
      "Command4", "コピーツール", QStyle::SP_FileDialogListView, [this] { OpenCopyTool(); },
      "コピー");
  bar->addSeparator();
  const struct {
    const char* name;
    const char* text;
    QStyle::StandardPixmap icon;
    std::function<void()> handler;
    QKeySequence key;
  } moves[] = {{"Command1(0)", "最初", QStyle::SP_MediaSkipBackward, [this] { album_.FirstPage(); },
                Qt::Key_Home},
               {"Command1(1)", "前", QStyle::SP_MediaSeekBackward,
                [this] { album_.PreviousPage(); }, Qt::Key_PageUp},
               {"Command1(2)", "次", QStyle::SP_MediaSeekForward, [this] { album_.NextPage(); },
                Qt::Key_PageDown},
               {"Command1(3)", "最後", QStyle::SP_MediaSkipForward, [this] { album_.LastPage(); },
                Qt::Key_End}};
  for (const auto& m : moves) {
    QAction* a = AddCommand(bar, m.name, QString::fromUtf8(m.text), m.handler);
    a->setToolTip(QString());
    a->setIcon(style()->standardIcon(m.icon));
    a->setShortcut(m.key);
  }
}

void MainWindow::BuildPageOverview() {
  overview_ = new PageOverview(album_commands_, this);
  addDockWidget(Qt::LeftDockWidgetArea, overview_);
  // Shown or not as last time; off at first.
  QSettings view(album_.Folder().File(QStringLiteral("view.ini")), QSettings::IniFormat);
  const bool shown = view.value(QStringLiteral("PageOverview/visible"), false).toBool();
  overview_->setVisible(shown);
  QAction* toggle = Command(QStringLiteral("viewPageOverview"));
  toggle->setChecked(shown);
  connect(toggle, &QAction::toggled, overview_, &QDockWidget::setVisible);
  connect(overview_, &QDockWidget::visibilityChanged, this, [this, toggle](bool) {
    // Hidden with the window (minimised, closing) is not closed by the user.
    if (!isVisible() || isMinimized()) return;
    const bool on = !overview_->isHidden();
    toggle->setChecked(on);
    QSettings(album_.Folder().File(QStringLiteral("view.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("PageOverview/visible"), on);
  });
}

void MainWindow::BuildCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);

  auto* view = new PageView(editor_, central);
  page_area_ = view;
  connect(view, &PageView::PhotoFilesDropped, this,
          [this](QPointF twips, const QStringList& files) {
            WorkProgress progress(this, QStringLiteral("写真を設定しています…"),
                                  album_.TimeSource());
            DropPhotoFiles(album_commands_, twips, files, progress.Callback());
          });
  connect(view, &PageView::StatusText, this, [this](const QString& text) {
    if (text.isEmpty()) {
      statusBar()->clearMessage();
    } else {
      statusBar()->showMessage(text);
    }
  });
  layout->addWidget(page_area_, 1);
  BuildPageOverview();

  auto* side = new QVBoxLayout;
  layout->addLayout(side);

  auto* cover_box = new QGroupBox(QStringLiteral("アルバム"), central);
  auto* cover_form = new QFormLayout(cover_box);
  const char* captions[] = {"アルバム名", "作成者", "作成日"};
  for (int i = 0; i < 3; ++i) {
    cover_[i] = new QLineEdit(cover_box);
    cover_[i]->setObjectName(QStringLiteral("Text16(%1)").arg(i));
    cover_form->addRow(QString::fromUtf8(captions[i]), cover_[i]);
    StorableTextGuard::Install(cover_[i], prompter_);
    connect(cover_[i], &QLineEdit::textEdited, this,
            [this, i](const QString& text) { album_commands_.SetCoverField(i, text); });
  }
  side->addWidget(cover_box);

  auto* page_row = new QHBoxLayout;
  page_number_ = new QLineEdit(central);
  page_number_->setObjectName(QStringLiteral("Text5"));
  page_count_ = new QLineEdit(central);
  page_count_->setObjectName(QStringLiteral("Text6"));
  for (QLineEdit* e : {page_number_, page_count_}) {
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setMaximumWidth(60);
  }
  page_number_->setToolTip(QStringLiteral("ダブルクリックでページへジャンプ"));
  page_number_->installEventFilter(this);
  auto* slash = new QLabel(QStringLiteral("／"), central);
  slash->setObjectName(QStringLiteral("Label16"));
  page_row->addWidget(new QLabel(QStringLiteral("ページ"), central));
  page_row->addWidget(page_number_);
  page_row->addWidget(slash);
  page_row->addWidget(page_count_);
  page_row->addStretch();
  side->addLayout(page_row);

  slot_panel_ = new SlotTextPanel(editor_, central);
  slot_panel_->SetPrintedLineCheck(&CutSlotLine);
  side->addWidget(slot_panel_);

  auto* tools = new QGroupBox(QStringLiteral("ラベル・ライン"), central);
  auto* tools_layout = new QGridLayout(tools);
  const struct {
    const char* name;
    const char* caption;
  } buttons[] = {{"Command6(0)", "ラベル入力"}, {"Command6(1)", "フォント"},
                 {"Command3(0)", "拡　大"},     {"Command3(1)", "縮　小"},
                 {"Command5", "ライン"},        {"Command9", "ふき出し線"},
                 {"Command8", "ラインクリア"}};
  int cell = 0;
  for (const auto& b : buttons) {
    auto* w = new QPushButton(QString::fromUtf8(b.caption), tools);
    w->setObjectName(QString::fromUtf8(b.name));
    tools_layout->addWidget(w, cell / 2, cell % 2);
    ++cell;
  }
  auto* arrow = new QCheckBox(QStringLiteral("矢印"), tools);
  arrow->setObjectName(QStringLiteral("Check1"));
  tools_layout->addWidget(arrow, cell / 2, cell % 2);
  // Callout lines.
  const auto button = [tools](const char* name) {
    return tools->findChild<QPushButton*>(QString::fromUtf8(name));
  };
  connect(button("Command5"), &QPushButton::clicked, this,
          [this] { StartLine(editor_, LineKind::kStraight); });
  connect(button("Command9"), &QPushButton::clicked, this,
          [this] { StartLine(editor_, LineKind::kCallout); });
  connect(button("Command8"), &QPushButton::clicked, this, [this] { RemoveLastLine(editor_); });
  connect(arrow, &QCheckBox::toggled, this, [this](bool on) { editor_.SetArrowOption(on); });
  side->addWidget(tools);
  WireLabelTools(tools, side);
  side->addStretch();

  path_label_ = new QLabel(central);
  path_label_->setObjectName(QStringLiteral("Label17"));
  path_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  side->addWidget(path_label_);

  setCentralWidget(central);
}

void MainWindow::WireLabelTools(QWidget* tools, QVBoxLayout* side) {
  label_text_entry_ = std::make_unique<LabelTextDialogEntry>(prompter_, this);
  editor_.SetTextMeasure(&label_measure_);
  editor_.SetLabelTextEntry(label_text_entry_.get());
  const struct {
    const char* name;
    const char* tip;
    std::function<void()> handler;
  } commands[] = {
      {"Command6(0)", "自由文字を入力します", [this] { StartLabelInput(editor_); }},
      {"Command6(1)", "自由文字のフォントを設定します", [this] { ChooseLabelFont(editor_); }},
      {"Command3(0)", "写真及び文字を拡大します", [this] { ResizeSelectedLabel(editor_, 1); }},
      {"Command3(1)", "写真及び文字を縮小します", [this] { ResizeSelectedLabel(editor_, -1); }}};
  for (const auto& c : commands) {
    auto* button = tools->findChild<QPushButton*>(QString::fromUtf8(c.name));
    if (!button) continue;
    button->setToolTip(QString::fromUtf8(c.tip));
    connect(button, &QPushButton::clicked, this, [this, handler = c.handler] {
      if (!album_.IsOpen()) return;
      handler();
      page_area_->update();
    });
  }

  auto* row = new QHBoxLayout;
  const char* captions[] = {"Ｘ", "Ｙ"};
  const QColor colors[] = {Qt::red, Qt::blue};
  for (int i = 0; i < 2; ++i) {
    auto* field = new QLineEdit(tools);
    field->setObjectName(QStringLiteral("Text3(%1)").arg(i));
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(60);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, colors[i]);
    field->setPalette(palette);
    connect(field, &QLineEdit::textEdited, this,
            [this, i](const QString& text) { editor_.SetPositionText(i, text); });
    connect(field, &QLineEdit::returnPressed, this, [this, i] {
      ApplyTypedPosition(editor_, i);
      page_area_->update();
    });
    row->addWidget(new QLabel(QString::fromUtf8(captions[i]), tools));
    row->addWidget(field);
    row->addWidget(new QLabel(QStringLiteral("mm"), tools));
    position_[i] = field;
  }
  row->addStretch();
  side->addLayout(row);
  connect(&editor_, &EditorController::PositionFieldsChanged, this, [this] {
    for (int i = 0; i < 2; ++i) {
      if (position_[i]->text() != editor_.PositionText(i)) {
        position_[i]->setText(editor_.PositionText(i));
      }
    }
  });
}

void MainWindow::UpdateUndoCommands() {
  const History& history = album_commands_.Steps();
  const struct {
    const char* menu;
    const char* button;
    QString caption;
    bool enabled;
    QString step;
  } rows[] = {{"editUndo", "undoV", QStringLiteral("元に戻す"), history.CanUndo(),
               history.UndoName()},
              {"editRedo", "redoV", QStringLiteral("やり直し"), history.CanRedo(),
               history.RedoName()}};
  for (const auto& r : rows) {
    const QString text = r.step.isEmpty() ? r.caption : r.caption + QStringLiteral(": ") + r.step;
    for (const char* name : {r.menu, r.button}) {
      if (QAction* a = commands_.value(QString::fromLatin1(name))) {
        a->setEnabled(r.enabled);
        a->setToolTip(text);
        if (name == r.menu) a->setText(text);
      }
    }
  }
}

void MainWindow::UpdateCommandStates() {
  const bool open = album_.CurrentPage() != 0 && album_.IsOpen();
  for (const QString& name : kAlbumCommands) {
    if (QAction* a = commands_.value(name)) a->setEnabled(open);
  }
  for (const QString& name : kWritingCommands) {
    if (QAction* a = commands_.value(name)) a->setEnabled(open && !album_.IsReadOnly());
  }
}

void MainWindow::ShowAlbumState() {
  const auto number = [](int n) { return n == 0 ? QStringLiteral("000") : QString::number(n); };
  page_number_->setText(number(album_.CurrentPage()));
  page_count_->setText(number(album_.PageCount()));
  const AlbumHeader& header = album_.Header();
  const QString fields[] = {header.name, header.author, header.date};
  for (int i = 0; i < 3; ++i) {
    if (cover_[i]->text() != fields[i]) cover_[i]->setText(fields[i]);
    cover_[i]->setReadOnly(album_.IsReadOnly());
  }
  setWindowTitle(album_.IsReadOnly() ? QStringLiteral("ＫＯＭＡＳＵⅡ［読み取り専用］")
                                     : QStringLiteral("ＫＯＭＡＳＵⅡ"));
  path_label_->setText(QDir::toNativeSeparators(album_.Path()) +
                       (album_.IsReadOnly() ? QStringLiteral("（読み取り専用）") : QString()));
  UpdateCommandStates();
}

bool MainWindow::RunStartDialog() {
  StartDialog dialog(this);
  dialog.exec();
  switch (dialog.Chosen()) {
    case StartDialog::Choice::kNewAlbum:
      album_.NewAlbum();
      break;
    case StartDialog::Choice::kOpenAlbum:
      album_.OpenAlbum();
      break;
    case StartDialog::Choice::kNone:
      break;
  }
  return album_.IsOpen();
}

void MainWindow::OnActivated() {
  if (!album_.IsOpen()) {
    quitting_ = true;
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return;
  }
  slot_panel_->ApplyFontInfo(album_.ApplySettingsFiles());
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !quitting_) OnActivated();
  return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_number_ && event->type() == QEvent::MouseButtonDblClick && album_.IsOpen()) {
    OpenJumpDialog();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (quitting_ || album_.ConfirmClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::RunModal(QDialog& dialog) {
  dialog.exec();
  OnActivated();
}

// ---------------------------------------------------------------- commands

void MainWindow::OpenJumpDialog() {
  PageJumpDialog dialog(album_.PageCount(), this);
  RunModal(dialog);
  if (const auto page = dialog.Target()) album_.JumpToPage(*page);
}

void MainWindow::OpenPhotoDialog(bool modal) {
  if (modal) {
    PhotoInsertDialog dialog(album_commands_, prompter_, this);
    RunModal(dialog);
    return;
  }
  // One modeless dialog at a time, owned by the window.
  if (!photo_dialog_) {
    photo_dialog_ = new PhotoInsertDialog(album_commands_, prompter_, this);
    photo_dialog_->setAttribute(Qt::WA_DeleteOnClose);
  }
  photo_dialog_->show();
  photo_dialog_->raise();
  photo_dialog_->activateWindow();
}

void MainWindow::OpenDriveSettings() {
  DriveSettingsDialog dialog(album_.Folder(), prompter_, this);
  RunModal(dialog);
}

void MainWindow::OpenLayoutSettings() {
  LayoutSettingsDialog dialog(album_.Folder(), prompter_, this);
  RunModal(dialog);  // the activation afterwards applies the saved settings
}

void MainWindow::OpenPrintDialog() {
  PrintDialog dialog(album_commands_, prompter_, this);
  connect(&dialog, &PrintDialog::LayoutSettingsRequested, this, &MainWindow::OpenLayoutSettings);
  RunModal(dialog);
}

// The migrated files take effect at the next start; the running settings stay as they are.
void MainWindow::OpenSettingsMigration() {
  SettingsMigrationDialog dialog(album_.Folder().Path(), prompter_, this);
  RunModal(dialog);
}

// Modeless beside the window, so the user can read while working; one window, brought to front.
void MainWindow::ShowHelp() {
  if (!help_) {
    help_ = new HelpWindow(album_.Folder().HelpTxt(), this);
  } else {
    help_->Reload();
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::ShowAbout() {
  AboutDialog dialog(this);
  RunModal(dialog);
}

// The word list stays open beside the window; a drop on a line field takes its selected word.
void MainWindow::OpenWordLists() {
  if (!word_lists_) {
    word_lists_ = new WordListDialog(album_.Folder(), prompter_, this);
    connect(word_lists_, &WordListDialog::WordChosen, this, [this](const QString& word) {
      DropWord(editor_, slot_panel_->LastFocusedLine(), word);
    });
    slot_panel_->SetWordSource([this]() -> std::optional<QString> {
      if (!word_lists_ || !word_lists_->isVisible()) return std::nullopt;
      return word_lists_->Model().SelectedWordText();
    });
  }
  word_lists_->show();
  word_lists_->raise();
  word_lists_->activateWindow();
}

void MainWindow::OpenCopyTool() {
  CopyToolDialog dialog(editor_, slot_panel_->LineFields(), this);
  RunModal(dialog);
}

}  // namespace komasu
