// ThemePicker: the theme picker dialog ("Select Theme") without a toolkit.
// It lists the installed themes of the edited theme's ThemesFolder, loads the
// theme the user clicks into the edited theme, applies the page options the
// check boxes stand for, and keeps the preview page up to date. Every change
// goes to the edited theme at once; neither OK nor Cancel undoes anything.
//
// A PickerView shows it. Handlers never let an AutomationError escape: a
// failure (an unreadable theme package, a folder that vanishes while listed)
// is shown in a message box and the dialog stays open; what was done before
// the failure stays done.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include <rxtheme/export.h>
#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/preview_scene.h>
#include <rxtheme/picker/theme_list.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class AutomationError;
class CTheme;

// The product name of the component's version information (the same text as
// the Windows resource script's, which theme_picker.cpp checks).
inline constexpr char16_t kProductName[] = u"Corvane Webdrift";

enum class ControlId {
  kFrSelect,
  kChkUseThemeOnPage,
  kLblAvailable,
  kTvwThemes,
  kChkVividColors,
  kChkActiveGraphics,
  kChkBackgroundImage,
  kChkUseCustom,
  kLabel2,
  kDocPreview,
  kCmdOK,
  kCmdCancel,
  kCmdHelp,
  kDialog,  // the dialog itself, as a parent
};
inline constexpr size_t kControlCount = static_cast<size_t>(ControlId::kDialog);

enum class ControlKind { kFrame, kCheckBox, kLabel, kThemeList, kPreview, kButton };

// The keys that the dialog itself answers, wherever the focus is.
enum class DialogKey { kEnter, kEscape };

// The mouse button pressed on an entry of the theme list.
enum class PointerButton { kLeft, kMiddle, kRight };

// One control of the dialog. Positions are in twips relative to the parent;
// an ampersand in a caption marks the keyboard mnemonic of the next letter.
struct ControlSpec {
  ControlId id;
  std::u16string_view name;
  ControlKind kind;
  std::u16string_view caption;
  ControlId parent;
  int left, top, width, height;
  int tab_index;
  bool default_button;
};

// Every control, in ControlId order.
RXTHEME_API const std::array<ControlSpec, kControlCount>& PickerControls();
RXTHEME_API const ControlSpec& PickerControl(ControlId id);

// The dialog's caption and client area, in twips.
inline constexpr char16_t kPickerCaption[] = u"Select Theme";
inline constexpr int kPickerClientWidth = 10470;
inline constexpr int kPickerClientHeight = 6165;

// How the dialog shows a failure: "Error <number>: <description>".
RXTHEME_API WString ErrorText(const AutomationError& error);

// The first preview page, before a theme is picked.
inline constexpr char16_t kNoThemeSelected[] = u"No theme selected.";

class RXTHEME_API ThemePicker {
 public:
  // `theme` is the edited theme; `view` must outlive the picker.
  ThemePicker(std::shared_ptr<CTheme> theme, PickerView& view);
  ThemePicker(const ThemePicker&) = delete;
  ThemePicker& operator=(const ThemePicker&) = delete;

  // The dialog's load: centres it by its outer size, lists the themes, shows
  // "No theme selected." and sets the check boxes from the edited theme (only
  // the part of their click handling that runs while hidden), then re-selects
  // the current theme when its name matches an entry exactly. Runs once;
  // ShowModal runs it too.
  void Open();

  // Opens (if not yet), shows the dialog modally through the view and
  // returns SelectResult when it is hidden or closed.
  int16_t ShowModal();

  // --- User actions (called by the view) ---

  // Sets a check box's state (0 off, 1 on, 2 grayed; anything else fails
  // with 380) and, when it changes, runs its click handling.
  void SetCheckState(ControlId box, int state);
  // Selects entry `index` of the theme list and loads its theme.
  void ClickTheme(size_t index);
  // A press of `button` on entry `index`: the left button loads it as
  // ClickTheme does (also when it was selected already); the others do
  // nothing, and the view leaves the selection as it is.
  void PressEntry(size_t index, PointerButton button);
  void ClickOK();
  void ClickCancel();
  void ClickHelp();
  // The dialog closed through its window (the close box): it ends without a
  // result (SelectResult stays as it is).
  void Close();

  // A click on a control: a button runs its action (OK, Cancel, Help), a
  // check box turns off when it is on and on otherwise; the other controls
  // do nothing. A disabled control does nothing.
  void Activate(ControlId id);
  // The button that Enter clicks while `focus` has the focus: the focused
  // push button, else the default button (OK).
  static ControlId DefaultButton(ControlId focus);
  // A key pressed in the dialog while `focus` has the focus: Enter clicks
  // DefaultButton(focus); Escape closes the dialog as the close box does.
  void PressKey(DialogKey key, ControlId focus);

  // --- What the view shows ---

  const std::shared_ptr<CTheme>& Theme() const { return theme_; }
  int CheckState(ControlId box) const { return check_[Index(box)]; }
  bool Enabled(ControlId id) const { return enabled_[Index(id)]; }
  const ThemeList& Themes() const { return themes_; }
  // ThemeList::kNone when nothing is selected.
  size_t SelectedTheme() const { return selected_; }
  // Changes whenever the list's entries change (not when only the selection
  // does): a view refills its list only then, so that a click never makes
  // the list jump.
  size_t ThemesRevision() const { return themes_revision_; }
  const WString& PreviewHtml() const { return preview_html_; }
  // The preview page as the view paints it.
  const PreviewScene& Scene() const { return scene_; }
  // 0 until OK (1) or Cancel (2).
  int16_t SelectResult() const { return select_result_; }
  bool Visible() const { return visible_; }
  // The dialog's position on the screen, in twips.
  double Left() const { return left_; }
  double Top() const { return top_; }

  // The help topic that Help opens; below 1 the help file's default topic.
  int32_t HelpContextID() const { return help_context_id_; }
  void HelpContextID(int32_t id) { help_context_id_ = id; }

 private:
  static size_t Index(ControlId id) { return static_cast<size_t>(id); }

  RXTHEME_LOCAL void CenterForm();
  RXTHEME_LOCAL void ListThemes();
  RXTHEME_LOCAL void SetCheck(ControlId box, int state);
  RXTHEME_LOCAL void OnCheckClick(ControlId box);
  RXTHEME_LOCAL void EnableThemeControls(bool enabled);
  RXTHEME_LOCAL void SelectThemeFile(const WString& file, const WString& title);
  RXTHEME_LOCAL void RebuildPreview();
  RXTHEME_LOCAL void Hide();
  RXTHEME_LOCAL void ReportError(const AutomationError& error);
  template <typename Action>
  RXTHEME_LOCAL void Guarded(Action&& action);

  std::shared_ptr<CTheme> theme_;
  PickerView& view_;
  bool opened_ = false;
  bool visible_ = false;
  int16_t select_result_ = 0;
  int32_t help_context_id_ = 0;
  double left_ = 0;
  double top_ = 0;
  std::array<int, kControlCount> check_{};
  std::array<bool, kControlCount> enabled_;
  ThemeList themes_;
  size_t selected_ = ThemeList::kNone;
  size_t themes_revision_ = 0;
  WString preview_html_;
  PreviewScene scene_;
};

}  // namespace rxTheme
