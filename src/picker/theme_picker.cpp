#include <rxtheme/picker/theme_picker.h>

#include <string>
#include <string_view>
#include <utility>

#include <rxtheme/picker/preview.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/theme.h>
#include "picker/function_library.h"
#include "picker/product_name.h"
#include "platform/env.h"
#include "theme/component.h"

namespace rxTheme {

static_assert(std::u16string_view(kProductName) == u"" RXTHEME_PRODUCT_NAME,
              "kProductName and the resource script's product name differ");
namespace {

using K = ControlKind;
using C = ControlId;

const std::array<ControlSpec, kControlCount> kControls = {{
    // id, name, kind, caption, parent, left, top, width, height, tab index, default
    {C::kFrSelect, u"frSelect", K::kFrame, u"", C::kDialog, 120, 240, 3135, 5295, 11, false},
    {C::kChkUseThemeOnPage, u"chkUseThemeOnPage", K::kCheckBox, u"This Page &Uses Themes",
     C::kFrSelect, 120, 0, 2055, 255, 0, false},
    {C::kLblAvailable, u"lblAvailable", K::kLabel, u"Available &Themes :", C::kFrSelect, 120, 480,
     1350, 195, 1, false},
    {C::kTvwThemes, u"tvwThemes", K::kThemeList, u"", C::kFrSelect, 120, 720, 2895, 3135, 2, false},
    {C::kChkVividColors, u"chkVividColors", K::kCheckBox, u"&Vivid Colors", C::kFrSelect, 120, 4080,
     2835, 195, 3, false},
    {C::kChkActiveGraphics, u"chkActiveGraphics", K::kCheckBox, u"Active &Graphics", C::kFrSelect,
     120, 4350, 2835, 195, 4, false},
    {C::kChkBackgroundImage, u"chkBackgroundImage", K::kCheckBox, u"&Background Image",
     C::kFrSelect, 120, 4590, 2835, 255, 5, false},
    {C::kChkUseCustom, u"chkUseCustom", K::kCheckBox, u"Use &Custom Settings", C::kFrSelect, 120,
     4860, 2895, 255, 6, false},
    {C::kLabel2, u"Label2", K::kLabel, u"Theme Preview :", C::kDialog, 3360, 240, 1200, 195, 12,
     false},
    {C::kDocPreview, u"docPreview", K::kPreview, u"", C::kDialog, 3390, 570, 6975, 4965, 10, false},
    {C::kCmdOK, u"cmdOK", K::kButton, u"OK", C::kDialog, 6840, 5640, 1095, 375, 7, true},
    {C::kCmdCancel, u"cmdCancel", K::kButton, u"Cancel", C::kDialog, 8040, 5640, 1095, 375, 8,
     false},
    {C::kCmdHelp, u"cmdHelp", K::kButton, u"Help", C::kDialog, 9240, 5640, 1095, 375, 9, false},
}};

// What a check box's click does. `apply` sets the edited theme from the box's
// state: always, or only while the dialog is visible. Then either the preview
// is rebuilt (only while visible) or the theme controls are enabled.
enum class AfterClick { kRebuildPreviewWhenVisible, kEnableThemeControls };

struct CheckClick {
  ControlId box;
  void (*apply)(CTheme& theme, int state);
  bool apply_only_when_visible;
  AfterClick after;
};

const CheckClick kCheckClicks[] = {
    {C::kChkVividColors,
     [](CTheme& theme, int state) { theme.ColorIndex(static_cast<int16_t>(state)); }, false,
     AfterClick::kRebuildPreviewWhenVisible},
    {C::kChkActiveGraphics,
     [](CTheme& theme, int state) { theme.GraphIndex(static_cast<int16_t>(state)); }, false,
     AfterClick::kRebuildPreviewWhenVisible},
    {C::kChkBackgroundImage, [](CTheme& theme, int state) { theme.UseBackgroundImage(state != 0); },
     false, AfterClick::kRebuildPreviewWhenVisible},
    {C::kChkUseCustom, [](CTheme& theme, int state) { theme.UseCustomSettings(state != 0); }, false,
     AfterClick::kRebuildPreviewWhenVisible},
    {C::kChkUseThemeOnPage, [](CTheme& theme, int state) { theme.UseThemeSettings(state != 0); },
     true, AfterClick::kEnableThemeControls},
};

// The controls that chkUseThemeOnPage enables and disables.
const ControlId kThemeControls[] = {C::kLblAvailable,       C::kTvwThemes,
                                    C::kChkVividColors,     C::kChkActiveGraphics,
                                    C::kChkBackgroundImage, C::kChkUseCustom};

constexpr int kCheckGrayed = 2;
constexpr int kHelpDisplayTopic = 0;
constexpr int kHelpContext = 15;

WString MissingHelpText() {
  const WString product = kProductName;
  return product + u" cannot locate the help file.\r\n\r\nPlease re-install " + product +
         u" to install the help files.";
}

}  // namespace

const std::array<ControlSpec, kControlCount>& PickerControls() { return kControls; }

const ControlSpec& PickerControl(ControlId id) { return kControls[static_cast<size_t>(id)]; }

ThemePicker::ThemePicker(std::shared_ptr<CTheme> theme, PickerView& view)
    : theme_(std::move(theme)), view_(view) {
  enabled_.fill(true);
}

template <typename Action>
void ThemePicker::Guarded(Action&& action) {
  try {
    action();
  } catch (const AutomationError& error) {
    ReportError(error);
  }
}

WString ErrorText(const AutomationError& error) {
  return u"Error " + Widen(std::to_string(error.Number())) + u": " + error.Description();
}

void ThemePicker::ReportError(const AutomationError& error) {
  view_.ShowMessage(ErrorText(error), kProductName, MessageIcon::kCritical);
}

void ThemePicker::Open() {
  if (opened_) return;
  opened_ = true;
  CenterForm();

  // The theme list starts empty; each step below that fails is reported and
  // the opening goes on with the next.
  themes_.Clear();
  ++themes_revision_;
  selected_ = ThemeList::kNone;
  Guarded([&] { ListThemes(); });

  preview_html_ = kNoThemeSelected;
  scene_ = TextScene(preview_html_, view_.PreviewMetrics());
  view_.ShowPreview(scene_);

  CTheme& theme = *theme_;
  Guarded([&] {
    theme.UseThemeSettings(true);
    SetCheck(C::kChkUseThemeOnPage, theme.UseThemeSettings() ? 1 : 0);
  });
  Guarded([&] { SetCheck(C::kChkVividColors, theme.ColorIndex()); });
  const bool has_current = !theme.CurrentThemeName().empty();
  Guarded([&] { SetCheck(C::kChkActiveGraphics, has_current ? theme.GraphIndex() : 1); });
  Guarded([&] {
    SetCheck(C::kChkBackgroundImage, has_current ? (theme.UseBackgroundImage() ? 1 : 0) : 1);
  });
  // chkUseCustom is not taken from the theme: it stays off.
  if (has_current) {
    const size_t found = themes_.FindFirstAdded(theme.CurrentThemeName());
    if (found != ThemeList::kNone) ClickTheme(found);
  }
}

void ThemePicker::CenterForm() {
  // The dialog has a fixed size and is never maximised, so it is always moved.
  const TwipsSize screen = view_.ScreenTwips();
  const TwipsSize dialog = view_.DialogTwips();
  left_ = (screen.width - dialog.width) / 2.0;
  top_ = (screen.height - dialog.height) / 2.0;
}

void ThemePicker::ListThemes() {
  // The list is told of the entries added so far even when listing fails.
  struct Notify {
    ThemePicker& picker;
    ~Notify() { picker.view_.ThemesChanged(picker); }
  } notify{*this};
  ++themes_revision_;
  ListInstalledThemes(
      theme_->ThemesFolder(), themes_,
      [this](std::u16string_view a, std::u16string_view b) { return view_.CompareTitles(a, b); });
}

int16_t ThemePicker::ShowModal() {
  Open();
  visible_ = true;
  view_.RunModal(*this);
  visible_ = false;
  return select_result_;
}

void ThemePicker::SetCheckState(ControlId box, int state) {
  Guarded([&] { SetCheck(box, state); });
}

void ThemePicker::SetCheck(ControlId box, int state) {
  if (PickerControl(box).kind != K::kCheckBox) {
    RaiseError(kInvalidProcedureCall, u"Not a check box");
  }
  if (state < 0 || state > kCheckGrayed) {
    RaiseError(kInvalidPropertyValue);
  }
  if (check_[Index(box)] == state) return;
  check_[Index(box)] = state;
  view_.ControlsChanged(*this);
  OnCheckClick(box);
}

void ThemePicker::OnCheckClick(ControlId box) {
  for (const CheckClick& click : kCheckClicks) {
    if (click.box != box) continue;
    const int state = check_[Index(box)];
    if (!click.apply_only_when_visible || visible_) click.apply(*theme_, state);
    switch (click.after) {
      case AfterClick::kRebuildPreviewWhenVisible:
        if (visible_) RebuildPreview();
        break;
      case AfterClick::kEnableThemeControls:
        EnableThemeControls(state == 1);
        break;
    }
    return;
  }
}

void ThemePicker::EnableThemeControls(bool enabled) {
  for (ControlId id : kThemeControls) enabled_[Index(id)] = enabled;
  view_.ControlsChanged(*this);
}

void ThemePicker::ClickTheme(size_t index) {
  if (index >= themes_.size()) return;
  selected_ = index;
  view_.ThemesChanged(*this);
  // Copies: the handler may run while the list changes under it.
  const ThemeEntry entry = themes_[index];
  Guarded([&] { SelectThemeFile(entry.tag, entry.text); });
}

void ThemePicker::SelectThemeFile(const WString& file, const WString& title) {
  CTheme& theme = *theme_;
  theme.ClearTheme();
  theme.CurrentThemeFile(file);
  theme.CurrentThemeName(title);
  theme.Load(file);
  RebuildPreview();
}

void ThemePicker::RebuildPreview() {
  const bool background = CheckState(C::kChkBackgroundImage) != 0;
  BuildPreview(*theme_, CheckState(C::kChkVividColors) != 0, CheckState(C::kChkActiveGraphics) != 0,
               background, preview_html_);
  scene_ = BuildPreviewScene(ReadPreviewValues(*theme_), background, view_.PreviewMetrics());
  view_.ShowPreview(scene_);
}

void ThemePicker::PressEntry(size_t index, PointerButton button) {
  if (button == PointerButton::kLeft) ClickTheme(index);
}

void ThemePicker::Close() { Hide(); }

void ThemePicker::Activate(ControlId id) {
  if (id == C::kDialog || !Enabled(id)) return;
  switch (id) {
    case C::kCmdOK:
      return ClickOK();
    case C::kCmdCancel:
      return ClickCancel();
    case C::kCmdHelp:
      return ClickHelp();
    default:
      if (PickerControl(id).kind == K::kCheckBox) SetCheckState(id, CheckState(id) == 1 ? 0 : 1);
  }
}

ControlId ThemePicker::DefaultButton(ControlId focus) {
  if (focus != C::kDialog && PickerControl(focus).kind == K::kButton) return focus;
  return C::kCmdOK;
}

void ThemePicker::PressKey(DialogKey key, ControlId focus) {
  switch (key) {
    case DialogKey::kEnter:
      return Activate(DefaultButton(focus));
    case DialogKey::kEscape:
      return Close();
  }
}

void ThemePicker::ClickOK() {
  select_result_ = 1;
  Hide();
}

void ThemePicker::ClickCancel() {
  select_result_ = 2;
  Hide();
}

void ThemePicker::Hide() {
  const bool was_visible = visible_;
  visible_ = false;
  if (was_visible) view_.EndModal();
}

void ThemePicker::ClickHelp() {
  Guarded([&] {
    const WString& help_file = ComponentHelpFile();
    if (FunctionLibrary::FileExists(help_file)) {
      const WString target = help_file + u">TriPane";
      if (help_context_id_ < 1) {
        CurrentEnv().ShowHelp(target, kHelpDisplayTopic, 0);
      } else {
        CurrentEnv().ShowHelp(target, kHelpContext, help_context_id_);
      }
    } else {
      view_.ShowMessage(MissingHelpText(), kProductName, MessageIcon::kExclamation);
    }
  });
}

}  // namespace rxTheme
