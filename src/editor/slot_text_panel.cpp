#include "editor/slot_text_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "album/album.h"
#include "album/guide_rules.h"
#include "album/slot_text_font.h"
#include "editor/editor_controller.h"
#include "editor/slot_text_commands.h"
#include "editor/storable_text_guard.h"
#include "editor/work_progress.h"
#include "platform/number_text.h"

namespace komasu {

namespace {

void Paint(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Button, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The number field holds a few digits only, so it is narrower than the text lines.
void FitNumberField(QLineEdit* field) {
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
}

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

}  // namespace

SlotTextPanel::SlotTextPanel(EditorController& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), album_(editor.Doc()) {
  setObjectName(QStringLiteral("SlotTextPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  background_ = new QFrame(this);
  background_->setObjectName(QStringLiteral("Shape3"));
  background_->setFrameShape(QFrame::Box);
  new QVBoxLayout(background_);
  layout->addWidget(background_);
  BuildSlotSelector(background_);
  BuildLineFields(background_);
  BuildCommands(background_);
  BuildRuleControls();
  read_only_note_ = new QLabel(
      QStringLiteral(
          "このページは別のバージョンの形式で保存されているため、表示だけで編集できません。"
          "ページの内容はそのまま保存されます。"),
      this);
  read_only_note_->setObjectName(QStringLiteral("readOnlyNote"));
  read_only_note_->setWordWrap(true);
  read_only_note_->setStyleSheet(QStringLiteral("color: #b00000;"));
  layout->addWidget(read_only_note_);
  layout->addStretch(1);
  for (auto signal : {&Album::PageShown, &Album::AlbumOpened, &Album::PageChanged}) {
    connect(&album_, signal, this, &SlotTextPanel::Refresh);
  }
  connect(&editor_, &EditorController::PanelChanged, this, &SlotTextPanel::Refresh);
  Refresh();
}

void SlotTextPanel::BuildSlotSelector(QFrame* background) {
  auto* row = new QHBoxLayout;
  auto* group = new QButtonGroup(this);
  const QString captions[3] = {QStringLiteral("上"), QStringLiteral("中"), QStringLiteral("下")};
  for (int s = 0; s < 3; ++s) {
    auto* button = new QRadioButton(captions[s], background);
    button->setObjectName(Indexed("Option4", s));
    Paint(button, SlotColor(s));
    group->addButton(button, s);
    row->addWidget(button);
    slot_buttons_[s] = button;
  }
  row->addStretch(1);
  connect(group, &QButtonGroup::idClicked, &editor_, &EditorController::SelectSlot);
  static_cast<QVBoxLayout*>(background->layout())->addLayout(row);
}

void SlotTextPanel::BuildLineFields(QFrame* background) {
  auto* grid = new QGridLayout;
  auto* number_label = new QLabel(QStringLiteral("№"), background);
  number_label->setObjectName(QStringLiteral("Label14"));
  grid->addWidget(number_label, 0, 0);
  for (int j = 0; j < kLinesPerSlot; ++j) {
    auto* field = new QLineEdit(background);
    field->setObjectName(Indexed("Text4", j));
    StorableTextGuard::Install(field, album_.Prompts());
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this,
            [this, j](const QString& text) { OnLineChanged(j, text); });
    fields_[j] = field;
    palette_base_ = field->palette().color(QPalette::Base);
    if (j == 0) {
      FitNumberField(field);
      auto* row = new QHBoxLayout;
      row->addWidget(field);
      row->addStretch(1);
      grid->addLayout(row, 0, 1);
    } else {
      field->setMinimumWidth(field->fontMetrics().horizontalAdvance(u'あ') * 16);
      grid->addWidget(field, j, 0, 1, 2);
    }
  }
  static_cast<QVBoxLayout*>(background->layout())->addLayout(grid);
}

void SlotTextPanel::BuildCommands(QFrame* background) {
  auto* clear = new QPushButton(QStringLiteral("ALLクリア"), background);
  clear->setObjectName(QStringLiteral("Command2"));
  auto* page = new QPushButton(QStringLiteral("ページ全体に貼付"), background);
  page->setObjectName(Indexed("Command14", 0));
  auto* whole = new QPushButton(QStringLiteral("アルバム全体に貼付"), background);
  whole->setObjectName(Indexed("Command14", 1));
  connect(clear, &QPushButton::clicked, this, [this] { ClearSlotTexts(editor_); });
  connect(page, &QPushButton::clicked, this, [this] { komasu::PasteIntoPage(editor_); });
  connect(whole, &QPushButton::clicked, this, &SlotTextPanel::PasteIntoAlbum);
  auto* grid = new QGridLayout;
  grid->addWidget(clear, 0, 0);
  grid->addWidget(page, 1, 0);
  grid->addWidget(whole, 1, 1);
  static_cast<QVBoxLayout*>(background->layout())->addLayout(grid);
}

void SlotTextPanel::BuildRuleControls() {
  auto* row = new QHBoxLayout;
  guide_switch_ = new QCheckBox(QStringLiteral("補助線"), this);
  guide_switch_->setObjectName(QStringLiteral("Check3"));
  style_frame_ = new QFrame(this);
  style_frame_->setObjectName(QStringLiteral("Frame1"));
  style_frame_->setFrameShape(QFrame::StyledPanel);
  auto* styles = new QHBoxLayout(style_frame_);
  underline_ = new QRadioButton(QStringLiteral("下　線"), style_frame_);
  underline_->setObjectName(QStringLiteral("Option1"));
  frame_ = new QRadioButton(QStringLiteral("枠　線"), style_frame_);
  frame_->setObjectName(QStringLiteral("Option3"));
  styles->addWidget(underline_);
  styles->addWidget(frame_);
  row->addWidget(guide_switch_);
  row->addWidget(style_frame_);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  // The rule controls change the page without marking the album modified.
  connect(guide_switch_, &QCheckBox::clicked, this, [this](bool ticked) {
    if (!editor_.Commands().SetGuideSwitch(ticked)) {
      Refresh();
    }
  });
  const std::pair<QRadioButton*, RuleStyle> choices[] = {{underline_, RuleStyle::kUnderline},
                                                         {frame_, RuleStyle::kFrame}};
  for (const auto& [button, choice] : choices) {
    connect(button, &QRadioButton::clicked, this, [this, style = choice] {
      if (!editor_.Commands().SetRuleStyle(style)) {
        Refresh();
      }
    });
  }
}

void SlotTextPanel::SetWordSource(std::function<std::optional<QString>()> source) {
  word_source_ = std::move(source);
}

void SlotTextPanel::SetPrintedLineCheck(PrintedLineCheck check) {
  printed_line_check_ = std::move(check);
  MarkCutLines();
}

void SlotTextPanel::ApplyFontInfo(const QStringList& v) {
  font_values_ = v;
  for (QLineEdit* field : fields_) {
    QFont font = field->font();
    if (!v.value(0).isEmpty()) font.setFamily(v.value(0));
    if (const auto size = ParseNumber(v.value(1)); size && IsFontSize(*size + 5)) {
      font.setPointSizeF(*size + 5);
    }
    if (const auto b = ParseBool(v.value(2))) font.setStrikeOut(*b);
    if (const auto b = ParseBool(v.value(3))) font.setBold(*b);
    if (const auto b = ParseBool(v.value(4))) font.setItalic(*b);
    field->setFont(font);
    if (field == fields_[0]) FitNumberField(field);
    // An RGB value has red in the low byte; system colour references keep the field's own.
    if (const auto c = ParseInt32(v.value(5)); c && *c >= 0) {
      QPalette palette = field->palette();
      palette.setColor(QPalette::Text, QColor(*c & 0xff, (*c >> 8) & 0xff, (*c >> 16) & 0xff));
      field->setPalette(palette);
    }
  }
  MarkCutLines();
}

void SlotTextPanel::MarkCutLines() {
  std::array<SlotTextLine, kSlotTextLines> lines = album_.Page().lines;
  ApplySlotTextFont(lines, font_values_);
  const int base = kLinesPerSlot * editor_.SelectedSlot();
  for (int j = 0; j < kLinesPerSlot; ++j) {
    QLineEdit* field = fields_[j];
    const std::optional<QString> printed =
        printed_line_check_ ? printed_line_check_(lines[base + j].style, field->text())
                            : std::nullopt;
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, printed ? QColor(255, 214, 170) : palette_base_);
    field->setPalette(palette);
    field->setToolTip(printed ? QStringLiteral("印刷欄の幅に収まらないため、ここまで印刷されます:"
                                               "\n%1")
                                    .arg(*printed)
                              : QString());
  }
}

void SlotTextPanel::Refresh() {
  refreshing_ = true;
  const int slot = editor_.SelectedSlot();
  slot_buttons_[slot]->setChecked(true);
  Paint(background_, SlotColor(slot));
  const bool editable = album_.PageEditable();
  for (int j = 0; j < kLinesPerSlot; ++j) {
    const QString& text = editor_.PanelLines()[j];
    if (fields_[j]->text() != text) fields_[j]->setText(text);
    fields_[j]->setReadOnly(!editable);
  }
  // A read-only album says so in the window title.
  read_only_note_->setVisible(!editable && !album_.IsReadOnly());
  const PageDecor& decor = album_.Decor();
  guide_switch_->setEnabled(decor.guide_switch_enabled && editable);
  guide_switch_->setChecked(album_.Page().guide_lines != 0);
  style_frame_->setEnabled(decor.style_enabled && editable);
  underline_->setEnabled(decor.style_enabled && editable);
  frame_->setEnabled(decor.style_enabled && editable);
  (album_.Page().rule_style == RuleStyle::kFrame ? frame_ : underline_)->setChecked(true);
  refreshing_ = false;
  MarkCutLines();
}

void SlotTextPanel::OnLineChanged(int j, const QString& text) {
  if (refreshing_) return;
  editor_.SetPanelLine(j, text);
}

void SlotTextPanel::NumberSlotsSerially() {
  WorkProgress progress(window(), QStringLiteral("連番を付けています…"), album_.TimeSource());
  komasu::NumberSlotsSerially(editor_, progress.Callback());
}

void SlotTextPanel::PasteIntoAlbum() {
  WorkProgress progress(window(), QStringLiteral("アルバム全体に貼り付けています…"),
                        album_.TimeSource());
  komasu::PasteIntoAlbum(editor_, progress.Callback());
}

// A drop on a line field appends the word list's selected word; what the drag carries is not
// read, so the field's own drop handling is bypassed.
bool SlotTextPanel::eventFilter(QObject* watched, QEvent* event) {
  const auto found = std::find(fields_.begin(), fields_.end(), watched);
  if (found == fields_.end()) return QWidget::eventFilter(watched, event);
  const int j = static_cast<int>(found - fields_.begin());
  switch (event->type()) {
    case QEvent::FocusIn:
      last_focused_line_ = j;
      return QWidget::eventFilter(watched, event);
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!word_source_) {
        drag->ignore();
      } else {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!word_source_) return true;
      drop->acceptProposedAction();
      DropWord(editor_, j, word_source_());
      return true;
    }
    default:
      return QWidget::eventFilter(watched, event);
  }
}

}  // namespace komasu
