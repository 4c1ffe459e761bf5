// `rxtheme export`'s work: a theme loaded into the export folder (its
// pictures land there, beside theme.css), then theme.css, tokens.json,
// theme.json with styles/vivid-colors.json and styles/active-graphics.json,
// and the sample pages (index.html and one page per variant combination).
// Only these files and the pictures are written; anything else in the folder
// stays.
#pragma once

#include <cstddef>
#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

class ThemeInput;

struct ExportedTheme {
  WString title;
  WString version;
  size_t files = 0;               // written, pictures not counted
  std::vector<WString> warnings;  // values left out of theme.css
};

// Raises as loading does (naming the package), 76 for a folder that cannot
// be made.
ExportedTheme ExportTheme(const ThemeInput& input, const WString& folder);

}  // namespace rxTheme::cli
