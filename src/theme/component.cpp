#include "theme/component.h"

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/theme.h>

namespace rxTheme {
namespace {

// Component-wide, like the process's current directory: the component is
// apartment-threaded and every call arrives on the host's one UI thread.
WString& HelpFileSetting() {
  static WString help_file;
  return help_file;
}

SelectThemeHandler& InstalledHandler() {
  static SelectThemeHandler handler = nullptr;
  return handler;
}

}  // namespace

const WString& ComponentHelpFile() { return HelpFileSetting(); }

void InstallSelectThemeHandler(SelectThemeHandler handler) { InstalledHandler() = handler; }

void CTheme::HelpFile(const WString& help_file) { HelpFileSetting() = help_file; }

int32_t CTheme::SelectTheme(const std::shared_ptr<CTheme>& parent) {
  SelectThemeHandler handler = InstalledHandler();
  if (handler == nullptr) {
    RaiseError(kCantCreateObject, kNoDialogToolkit);
  }
  return handler(parent);
}

}  // namespace rxTheme
