#include "print/layout_settings_form.h"

#include <algorithm>

#include "platform/number_text.h"
#include "platform/prompter.h"

namespace komasu {

LayoutSettingsForm::LayoutSettingsForm(ProgramFolder folder) : folder_(std::move(folder)) {
  const QStringList defaults = DefaultPositionLines();
  for (int k = 0; k < kPositionValues; ++k) SetField(k, defaults.value(k));
}

void LayoutSettingsForm::Load() {
  const QStringList texts = ReadPositionTexts(folder_.PositionIni());
  for (int k = 0; k < kPositionValues && k < texts.size(); ++k) SetField(k, texts[k]);
  font_ = ReadSlotTextFont(folder_.FontInfoIni(), font_);

  const auto background = ParseNumber(Field(kLabelBackgroundField));
  SelectBackground(background && *background == 1 ? LabelBackground::kWhite
                                                  : LabelBackground::kTransparent);
  if (const auto binding = ParseNumber(Field(kBindingField))) {
    if (*binding == 0 || *binding == 1 || *binding == 2) SelectBinding(static_cast<int>(*binding));
  }
}

void LayoutSettingsForm::SetField(int k, const QString& text) {
  fields_.at(static_cast<size_t>(k)) = text;
  if (const auto code = ParseTypedNumber(Field(kColorField))) {
    const auto* hit = std::find(kSwatchColors.begin(), kSwatchColors.end(), *code);
    if (hit != kSwatchColors.end()) preview_color_ = *hit;
  }
}

QStringList LayoutSettingsForm::Fields() const {
  return QStringList(fields_.begin(), fields_.end());
}

void LayoutSettingsForm::SelectBackground(LabelBackground b) {
  background_ = b;
  SetField(kLabelBackgroundField,
           b == LabelBackground::kWhite ? QStringLiteral("1") : QStringLiteral("0"));
}

void LayoutSettingsForm::SelectBinding(int binding) {
  binding_ = binding;
  SetField(kBindingField, QString::number(binding));
}

void LayoutSettingsForm::ClickSwatch(int index) {
  SetField(kColorField, QString::number(kSwatchColors.at(static_cast<size_t>(index))));
}

void LayoutSettingsForm::ChooseFont(Prompter& prompter) {
  FontChoice preset;
  preset.name = font_.name;
  preset.size = font_.size;
  preset.strikethrough = font_.strikethrough;
  preset.bold = font_.bold;
  preset.italic = font_.italic;
  preset.color = font_.color;
  const auto chosen = prompter.ChooseFont(preset);
  if (!chosen) return;
  font_.name = chosen->name;
  font_.size = static_cast<float>(chosen->size);
  font_.strikethrough = chosen->strikethrough;
  font_.bold = chosen->bold;
  font_.italic = chosen->italic;
  font_.color = chosen->color;
}

bool LayoutSettingsForm::RestoreDefaults(Prompter& prompter) {
  if (!prompter.AskYesNo(QStringLiteral("初期設定に戻しますか"), QStringLiteral("初期値"),
                         MessageIcon::kQuestion)) {
    return false;
  }
  font_ = SlotTextFont();
  const QStringList defaults = DefaultPositionLines();
  for (int k = 0; k < kPositionValues; ++k) SetField(k, defaults.value(k));
  SelectBackground(LabelBackground::kTransparent);
  SelectBinding(0);
  return true;
}

LayoutSettingsForm::ConfirmResult LayoutSettingsForm::Confirm(Prompter& prompter) {
  for (const QString& text : fields_) {
    if (!ParseTypedNumber(text)) {
      prompter.Notify(QStringLiteral("数値以外が入力されています。"));
      return ConfirmResult::kStay;
    }
  }
  // position.ini is read by the file rule, which knows no full-width digits.
  for (int k = 0; k < kPositionValues; ++k) SetField(k, AsciiNumberText(Field(k)));
  // A write that fails is told, not confirmed; the dialog stays so the user can retry.
  WriteResult r = WritePositionIni(folder_.PositionIni(), Fields());
  if (r.ok) r = WriteFontInfoIni(folder_.FontInfoIni(), font_);
  if (!r.ok) {
    prompter.Notify(QStringLiteral("設定を保存できませんでした。\n") + r.error, {},
                    MessageIcon::kExclamation);
    return ConfirmResult::kStay;
  }
  prompter.Notify(QStringLiteral("設定しました！"));
  return ConfirmResult::kSaved;
}

}  // namespace komasu
