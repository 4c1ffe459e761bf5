#include <rxtheme/picker/select_theme.h>

#include <utility>

#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/runtime/automation_error.h>
#include "theme/component.h"

namespace rxTheme {
namespace {

PickerViewFactory& ViewFactory() {
  static PickerViewFactory factory;
  return factory;
}

// The one dialog of the component; it holds the edited theme while open.
std::unique_ptr<ThemePicker>& Dialog() {
  static std::unique_ptr<ThemePicker> dialog;
  return dialog;
}

int32_t SelectThemeHandler(const std::shared_ptr<CTheme>& theme) { return SelectTheme(theme); }

// Links the picker into CTheme::SelectTheme whenever this layer is linked.
const bool kHandlerInstalled = (InstallSelectThemeHandler(&SelectThemeHandler), true);

}  // namespace

void InstallPickerViewFactory(PickerViewFactory factory) { ViewFactory() = std::move(factory); }

ThemePicker* OpenThemePicker() { return Dialog().get(); }

int32_t SelectTheme(const std::shared_ptr<CTheme>& theme) {
  (void)kHandlerInstalled;
  if (!theme) RaiseError(kObjectNotSet);
  if (Dialog()) RaiseError(kFormAlreadyShown);
  if (!ViewFactory()) {
    RaiseError(kCantCreateObject, kNoDialogToolkit);
  }
  std::unique_ptr<PickerView> view = ViewFactory()();
  if (!view) {
    RaiseError(kCantCreateObject, kNoDialogToolkit);
  }
  // Unloading releases the dialog (and with it the edited theme) however the
  // modal display ends.
  struct Unload {
    ~Unload() { Dialog().reset(); }
  } unload;
  Dialog() = std::make_unique<ThemePicker>(theme, *view);
  const int16_t result = Dialog()->ShowModal();
  return result;
}

}  // namespace rxTheme
