// A theme as `check` and `export` take it: a source folder (what pack
// takes), an installed theme (a folder F holding F.inf and F.elm) or a
// package. For the commands that load it, a source folder is packed first,
// into a temporary folder of its own, never into the source.
#pragma once

#include <string>

#include <rxtheme/authoring/findings.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

enum class ThemeInputKind { kSourceFolder, kInstalledTheme, kPackage };

// Whether a folder holds a file whose name ends with `extension` (letter case
// ignored).
bool HoldsFileEnding(const WString& folder, const char16_t* extension);

// A folder that holds a style sheet is a source folder; one that holds none
// but a package is an installed theme; anything else is taken as a package.
ThemeInputKind ClassifyThemeInput(const WString& absolute);

// What `rxtheme check PATH` finds: PATH as the command takes it (a source
// folder, an installed theme, a package or a style sheet).
void CheckAnyTheme(const std::string& path, Findings& findings);

// A theme made ready to load: its package and its title.
class ThemeInput {
 public:
  // Raises as `check` does for a path that is no theme (53, 76, 5); a source
  // folder that cannot be packed raises as `pack` does.
  explicit ThemeInput(const std::string& path);
  ~ThemeInput();
  ThemeInput(const ThemeInput&) = delete;
  ThemeInput& operator=(const ThemeInput&) = delete;

  ThemeInputKind Kind() const { return kind_; }
  // The package to load (a temporary one for a source folder).
  const WString& Package() const { return package_; }
  // The title from the information file, else the folder's or package's name.
  const WString& Title() const { return title_; }

 private:
  ThemeInputKind kind_;
  WString package_;
  WString title_;
  std::string temporary_folder_;  // removed with everything in it
};

}  // namespace rxTheme::cli
