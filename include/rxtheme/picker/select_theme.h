// SelectTheme: shows the theme picker dialog modally on a theme and returns
// its result code (1 OK, 2 Cancel, 0 closed through the window). The theme
// layer's CTheme::SelectTheme reaches it through the handler that this layer
// installs; a front end supplies the dialog's view by installing a factory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <rxtheme/export.h>
#include <rxtheme/picker/picker_view.h>

namespace rxTheme {

class CTheme;
class ThemePicker;

using PickerViewFactory = std::function<std::unique_ptr<PickerView>()>;

// Installs the factory that makes the dialog's view; an empty factory removes
// it. Without one, SelectTheme fails with 429.
RXTHEME_API void InstallPickerViewFactory(PickerViewFactory factory);

// Shows the picker on `theme`: the component-wide dialog edits that theme
// while it is open and is unloaded afterwards, so each call starts afresh.
// Raises 91 for a null theme, 429 when no view factory is installed (or it
// makes no view), and 400 when the dialog is already open.
RXTHEME_API int32_t SelectTheme(const std::shared_ptr<CTheme>& theme);

// The open dialog, or nullptr when none is open.
RXTHEME_API ThemePicker* OpenThemePicker();

}  // namespace rxTheme
