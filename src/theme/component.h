// Component-wide state of the theme layer: the help file that the picker's
// Help button opens, and the hook through which CTheme::SelectTheme reaches
// the picker dialog. The picker layer installs its handler; the theme layer
// knows nothing of the picker.
#pragma once

#include <cstdint>
#include <memory>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class CTheme;

// The help file last set through CTheme::HelpFile (empty until then).
const WString& ComponentHelpFile();

// Shows the picker on `parent` and returns the dialog's result code.
using SelectThemeHandler = int32_t (*)(const std::shared_ptr<CTheme>& parent);

// Installs the handler that CTheme::SelectTheme calls (nullptr removes it).
void InstallSelectThemeHandler(SelectThemeHandler handler);

}  // namespace rxTheme
