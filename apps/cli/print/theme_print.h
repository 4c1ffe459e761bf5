// Printing a theme for the command line: text for people, or JSON.
#pragma once

#include <string>

#include <rxtheme/theme/theme.h>

namespace rxTheme::cli {

// Every value is read before anything is returned, so a get that raises (a
// variant index other than 0 or 1: error 9) fails the whole print.

// Grouped by section and style; empty values are left out; control
// characters in values are escaped (printable.h).
std::string ThemeText(CTheme& theme);

// {"version", "colorIndex", "graphIndex", "useThemeSettings",
//  "useCustomSettings", "includePath", "useBackgroundImage", "workingFolder",
//  "themesFolder", "currentThemeName", "currentThemeFile", "color", "graph",
//  "base"}; each section maps its styles, in slot order, to an object with
// "UseThemeSettings", "UseCustomSettings" and every public string property.
std::string ThemeJson(CTheme& theme);

}  // namespace rxTheme::cli
