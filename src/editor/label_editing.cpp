#include "editor/label_editing.h"

#include <cmath>

#include "album/album.h"
#include "album/page_geometry.h"
#include "editor/editor_controller.h"
#include "editor/label_text_entry.h"
#include "editor/text_measure.h"
#include "platform/cp932.h"
#include "platform/number_text.h"

namespace komasu {

namespace {

constexpr double kTwipsPerMmX = 28.571428;
constexpr double kTwipsPerMmY = 27.929292;
constexpr double kMinPositionMm = 10;
constexpr double kMaxPositionMm = 297;

bool ValidIndex(int index) { return index >= 1 && index <= kFreeLabels; }

// Rounds half away from zero, as the number format "0" does.
double RoundAway(double value) { return std::round(value); }

// The label's box follows its text and font.
void AutoSize(const EditorController& editor, FreeLabel& label) {
  const TextMeasure* measure = editor.Measure();
  if (!measure || label.text.isEmpty()) return;
  const QSizeF size = measure->TextSize(label.style, label.text);
  label.width = static_cast<float>(size.width());
  label.height = static_cast<float>(size.height());
}

// Changes label `index` of the shown page; the album is marked modified.
void EditLabel(EditorController& editor, const QString& name, int index,
               const std::function<void(FreeLabel&)>& change) {
  editor.Commands().ChangeShownPage(name, [&](PageContent& page, PageDecor&) {
    FreeLabel& label = page.Label(index);
    change(label);
    AutoSize(editor, label);
  });
}

void ShowPosition(EditorController& editor, const FreeLabel& label) {
  editor.SetPositionText(0, MillimetreTextX(label.left));
  editor.SetPositionText(1, MillimetreTextY(label.top));
}

// The selected label of the shown page while a label is selected; 0 otherwise.
int SelectedTarget(const EditorController& editor) {
  if (editor.Mode().Activity() != CanvasMode::kLabelSelected) return 0;
  const int n = editor.Labels().selected;
  return ValidIndex(n) ? n : 0;
}

// A typed millimetre value within the page's bounds.
std::optional<double> TypedMillimetres(const QString& text) {
  const std::optional<double> mm = ParseTypedNumber(text);
  if (!mm || *mm < kMinPositionMm || *mm > kMaxPositionMm) return std::nullopt;
  return mm;
}

}  // namespace

QString MillimetreTextX(float left) {
  return FormatInt(static_cast<qint64>(RoundAway((left - kCanvasLeft) / kTwipsPerMmX) + 10));
}

QString MillimetreTextY(float top) {
  return FormatInt(static_cast<qint64>(RoundAway((top - kCanvasTop) / kTwipsPerMmY) + 10));
}

bool StartLabelInput(EditorController& editor) {
  Album& album = editor.Doc();
  CanvasMode& mode = editor.Mode();
  if (!album.IsOpen() || !album.PageEditable()) return false;
  int free = 0;
  for (int i = 1; i <= kStoredFreeLabels && free == 0; ++i) {
    if (album.Page().Label(i).text.isEmpty()) free = i;
  }
  if (free == 0) {
    mode.StartLabelInput(false);
    album.Prompts().Notify(
        QStringLiteral("ラベルが多すぎます。必要の無いラベルを削除してください。"));
    return false;
  }
  editor.Labels().new_index = free;
  editor.Labels().editing = free;
  mode.StartLabelInput(true);
  return true;
}

void PlaceNewLabelAt(EditorController& editor, QPointF press) {
  LabelEditState& state = editor.Labels();
  const int n = state.new_index;
  // "フォント" also makes the next press place a label; without a pending one it only ends.
  if (!ValidIndex(n)) return;
  state.new_index = 0;
  state.editing = n;
  if (LabelTextEntry* entry = editor.TextEntry()) entry->EditLabelText(editor, n, true);
  if (editor.Doc().Page().Label(n).text.isEmpty()) return;  // the slot stays free
  EditLabel(editor, QStringLiteral("ラベルの入力"), n, [&](FreeLabel& label) {
    label.left = static_cast<float>(press.x() + kCanvasLeft);
    label.top = static_cast<float>(press.y() + kCanvasTop);
  });
}

void FitLabelsToText(EditorController& editor) {
  const TextMeasure* measure = editor.Measure();
  if (!measure) return;
  bool fitted = true;
  for (const FreeLabel& l : editor.Doc().Page().labels) {
    if (l.text.isEmpty()) continue;
    const QSizeF size = measure->TextSize(l.style, l.text);
    fitted = fitted && l.width == static_cast<float>(size.width()) &&
             l.height == static_cast<float>(size.height());
  }
  if (fitted) return;
  editor.Commands().FitLabelBoxes(
      [measure](const FreeLabel& l) { return measure->TextSize(l.style, l.text); });
}

int LabelAt(const PageContent& page, QPointF twips) {
  // Later labels lie above earlier ones.
  for (int i = kFreeLabels; i >= 1; --i) {
    const FreeLabel& l = page.Label(i);
    if (!l.visible || l.text.isEmpty()) continue;
    if (QRectF(l.left, l.top, l.width, l.height).contains(twips)) return i;
  }
  return 0;
}

void PressLabel(EditorController& editor, int index, bool right_button, QPointF in_label) {
  if (!ValidIndex(index)) return;
  LabelEditState& state = editor.Labels();
  state.pressed = index;
  state.drag_start = QPointF();
  state.drop_point = QPointF();
  editor.Mode().LabelPressed(!right_button);
  // The single border marks the pressed label; it is not stored, so nothing is modified.
  editor.Commands().MarkPressedLabel(index);
  if (right_button) {
    ClearLabel(editor);
    return;
  }
  const FreeLabel& label = editor.Doc().Page().Label(index);
  ShowPosition(editor, label);
  state.selected = index;
  state.drag_start =
      QPointF(label.left - kCanvasLeft + in_label.x(), label.top - kCanvasTop + in_label.y());
  state.grab_offsets = {static_cast<int>(RoundHalfEven(in_label.x())),
                        static_cast<int>(RoundHalfEven(in_label.y())),
                        static_cast<int>(RoundHalfEven(label.width - in_label.x())),
                        static_cast<int>(RoundHalfEven(label.height - in_label.y()))};
  editor.SetDraggedLabel(index);
}

void DropSelectedLabel(EditorController& editor, QPointF point) {
  LabelEditState& state = editor.Labels();
  editor.SetDraggedLabel(0);
  const int n = SelectedTarget(editor);
  if (n == 0) return;
  state.drop_point = point;
  const std::array<int, 4>& grab = state.grab_offsets;
  if (point.x() - grab[0] < 0 || point.y() - grab[1] < 0 || point.x() + grab[2] > kOverlayWidth ||
      point.y() + grab[3] > kOverlayHeight) {
    editor.Mode().LabelDropRefused();  // the label shows again where it was
    return;
  }
  const QPointF moved = state.drop_point - state.drag_start;
  if (!moved.isNull()) {
    EditLabel(editor, QStringLiteral("ラベルの移動"), n, [&](FreeLabel& label) {
      label.left += static_cast<float>(moved.x());
      label.top += static_cast<float>(moved.y());
    });
  }
  ShowPosition(editor, editor.Doc().Page().Label(n));
}

void CancelLabelDrag(EditorController& editor) {
  if (editor.Labels().dragged == 0) return;
  editor.SetDraggedLabel(0);
  editor.Mode().LabelDropRefused();
}

bool ApplyTypedPosition(EditorController& editor, int index) {
  if (index != 0 && index != 1) return false;
  if (!TypedMillimetres(editor.PositionText(index))) {
    editor.SetPositionText(index, QString());
    return false;
  }
  const int n = SelectedTarget(editor);
  if (n == 0) return false;
  const std::optional<double> x = TypedMillimetres(editor.PositionText(0));
  const std::optional<double> y = TypedMillimetres(editor.PositionText(1));
  const FreeLabel& before = editor.Doc().Page().Label(n);
  const float left =
      x ? static_cast<float>(RoundAway((*x - 10) * kTwipsPerMmX + kCanvasLeft)) : before.left;
  const float top =
      y ? static_cast<float>(RoundAway((*y - 10) * kTwipsPerMmY + kCanvasTop)) : before.top;
  if (left == before.left && top == before.top) return false;
  EditLabel(editor, QStringLiteral("ラベルの移動"), n, [&](FreeLabel& label) {
    label.left = left;
    label.top = top;
  });
  return true;
}

FontChoice LabelFontChoice(const TextStyle& style) {
  FontChoice c;
  c.name = style.font_name;
  c.size = style.size;
  c.bold = style.bold;
  c.italic = style.italic;
  c.underline = style.underline;
  c.strikethrough = style.strikethrough;
  c.color = style.color;
  return c;
}

void SetLabelFont(EditorController& editor, int index, const FontChoice& font) {
  if (!ValidIndex(index)) return;
  TextStyle style = editor.Doc().Page().Label(index).style;
  style.font_name = font.name;
  style.size = font.size;
  style.strikethrough = font.strikethrough;
  style.SetBold(font.bold);
  style.italic = font.italic;
  style.color = font.color;
  if (style == editor.Doc().Page().Label(index).style) return;
  EditLabel(editor, QStringLiteral("ラベルのフォント"), index, [&](FreeLabel& label) { label.style = style; });
}

void ChooseLabelFont(EditorController& editor) {
  editor.Mode().FontCommand();
  const int n = SelectedTarget(editor);
  if (n == 0) return;
  const std::optional<FontChoice> chosen =
      editor.Doc().Prompts().ChooseFont(LabelFontChoice(editor.Doc().Page().Label(n).style));
  if (chosen) SetLabelFont(editor, n, *chosen);
}

void ResizeSelectedLabel(EditorController& editor, int step) {
  const int n = SelectedTarget(editor);
  if (n == 0) return;
  const double size = editor.Doc().Page().Label(n).style.size;
  if (step < 0 && size <= 1) return;
  EditLabel(editor, QStringLiteral("ラベルの大きさ"), n, [&](FreeLabel& label) { label.style.size = size + (step < 0 ? -1 : 1); });
}

bool ClearLabel(EditorController& editor) {
  Album& album = editor.Doc();
  if (!album.Prompts().AskYesNo(QStringLiteral("文字をクリアしますか？"), QStringLiteral("クリア"),
                                MessageIcon::kQuestion)) {
    return false;
  }
  const int n = editor.Labels().pressed;
  if (!ValidIndex(n)) return true;
  if (!editor.Commands().SetLabel(n, FreeLabel(), QStringLiteral("ラベルのクリア"))) {
    return true;
  }
  if (editor.Labels().selected == n) {
    for (int i : {0, 1}) editor.SetPositionText(i, QString());
  }
  album.SaveCurrentPage();
  return true;
}

void EditLabelText(EditorController& editor, int index) {
  if (!ValidIndex(index) || !editor.Doc().PageEditable()) return;
  editor.Labels().editing = index;
  if (LabelTextEntry* entry = editor.TextEntry()) entry->EditLabelText(editor, index, false);
}

QString SetLabelText(EditorController& editor, int index, const QString& text, bool show) {
  if (!ValidIndex(index)) return {};
  if (QString why = UnstorableTextMessage(text, true); !why.isEmpty()) return why;
  const FreeLabel& label = editor.Doc().Page().Label(index);
  const bool visible = show && !text.isEmpty();
  if (label.text == text && label.visible == visible) return {};
  EditLabel(editor, QStringLiteral("ラベルの文字"), index, [&](FreeLabel& l) {
    l.text = text;
    l.visible = visible;
  });
  return {};
}

}  // namespace komasu
