// What the theme picker needs from a dialog toolkit. The picker's logic
// (ThemePicker) drives a PickerView; a front end implements it with real
// widgets, tests with a recording fake. Nothing here names a toolkit.
#pragma once

#include <rxtheme/export.h>
#include <rxtheme/picker/preview_scene.h>
#include <rxtheme/runtime/wstring.h>
#include <string_view>
#include <rxtheme/picker/preview_scene.h>
#include <rxtheme/picker/title_order.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class ThemePicker;

// Message box icons; every message box has one OK button.
enum class MessageIcon { kCritical, kExclamation, kInformation };

// A size in twips (1/1440 inch).
struct TwipsSize {
  double width = 0;
  double height = 0;
};

class RXTHEME_API PickerView {
 public:
  virtual ~PickerView() = default;

  // Shows a modal message box with one OK button.
  virtual void ShowMessage(const WString& text, const WString& title, MessageIcon icon) = 0;

  // Replaces what the preview shows with `scene` (kept by the picker until
  // the next call).
  virtual void ShowPreview(const PreviewScene& scene) = 0;

  // The metrics of the fonts the preview paints with.
  virtual const TextMetrics& PreviewMetrics() const = 0;

  // The theme list's entries or its selection changed (picker.Themes(),
  // picker.SelectedTheme()).
  virtual void ThemesChanged(const ThemePicker& picker) = 0;

  // Check states or enabled flags of controls changed (picker.CheckState(),
  // picker.Enabled()).
  virtual void ControlsChanged(const ThemePicker& picker) = 0;

  // How the theme list orders two titles (below 0, 0 or above 0): as
  // CollateTitles does, unless the toolkit's list sorts by a rule of its own
  // (the system's comparison for the user's language).
  virtual int CompareTitles(std::u16string_view a, std::u16string_view b) const {
    return CollateTitles(a, b);
  }

  // The size of the screen in twips.
  virtual TwipsSize ScreenTwips() const = 0;

  // The dialog's outer size in twips: its client area with the frame and
  // caption around it.
  virtual TwipsSize DialogTwips() const = 0;

  // Shows the dialog modally and returns when it is hidden (EndModal) or
  // closed through its window. Calls the picker's handlers for user actions.
  virtual void RunModal(ThemePicker& picker) = 0;

  // Ends the modal display started by RunModal.
  virtual void EndModal() = 0;
};

}  // namespace rxTheme
