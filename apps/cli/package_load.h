// Loading a package for a command: as CTheme::Load does, and with a word on
// standard error when the package is damaged in a way that Load passes over.
#pragma once

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {
class CTheme;
}

namespace rxTheme::cli {

// Loads `package` into `theme`; an error names the package. When the package
// does not hold all its pieces whole (it is cut off, or a marker is wrong),
// Load unpacks the rest empty without an error: this then says on standard
// error how many pieces that was.
void LoadPackage(CTheme& theme, const WString& package);

}  // namespace rxTheme::cli
