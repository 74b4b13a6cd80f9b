#pragma once
// The state of the layout settings dialog without widgets: the twenty field texts, the font
// sample, the two option groups and the colour preview, with the dialog's commands (open,
// swatches, options, font chooser, defaults, confirm). The dialog widget only mirrors it.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "platform/program_folder.h"
#include "print/layout_settings_file.h"

namespace komasu {

class Prompter;

enum class LabelBackground { kWhite, kTransparent };  // "白抜き" / "透明"

// The callout colour codes of the five swatches Label7(0..4): black, red, blue, cyan, yellow.
inline constexpr std::array<int32_t, 5> kSwatchColors = {0, 255, 16711680, 16776960, 65535};

class LayoutSettingsForm {
 public:
  static constexpr int kLabelBackgroundField = 14;
  static constexpr int kLineWidthField = 15;
  static constexpr int kArrowLengthField = 16;
  static constexpr int kArrowAngleField = 17;
  static constexpr int kColorField = 18;
  static constexpr int kBindingField = 19;

  explicit LayoutSettingsForm(ProgramFolder folder);

  // Reads both files into the form. Values a file lacks keep the form's texts (the defaults
  // of a fresh form).
  void Load();

  const QString& Field(int k) const { return fields_.at(static_cast<size_t>(k)); }
  // A change of field k; any change re-checks the colour field for the preview.
  void SetField(int k, const QString& text);
  QStringList Fields() const;

  const SlotTextFont& Font() const { return font_; }

  std::optional<LabelBackground> Background() const { return background_; }
  void SelectBackground(LabelBackground b);
  // 0 "左右とじ", 1 "左とじ", 2 "右とじ"; none when the file held another value.
  std::optional<int> Binding() const { return binding_; }
  void SelectBinding(int binding);
  void ClickSwatch(int index);
  // The preview line's colour code; it changes only when the colour field holds a swatch code.
  int32_t PreviewColor() const { return preview_color_; }

  // "フォント設定": the font chooser preset with the sample; a cancel keeps the sample.
  void ChooseFont(Prompter& prompter);
  // "初期設定": asks first; true when the defaults were put into the form.
  bool RestoreDefaults(Prompter& prompter);

  enum class ConfirmResult { kStay, kSaved };
  // "設定": checks every field for a number (full-width digits included, written as ASCII),
  // writes both files and confirms. A field that is
  // not a number, or a file that could not be written, is reported and the dialog stays.
  ConfirmResult Confirm(Prompter& prompter);

 private:
  ProgramFolder folder_;
  std::array<QString, kPositionValues> fields_;
  SlotTextFont font_;
  std::optional<LabelBackground> background_;
  std::optional<int> binding_;
  int32_t preview_color_ = 0;
};

}  // namespace komasu
