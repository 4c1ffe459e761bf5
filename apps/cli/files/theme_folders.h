// The sub-folders of a themes folder as the commands see them: an installed
// theme (F/F.inf and F/F.elm), a theme's source folder (F/F.inf and style
// sheets, no package: read as its package would be, folder_package.h), a
// folder that looks like a theme but that the picker cannot use (and why),
// or no theme at all.
#pragma once

#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

enum class FolderRole { kInstalled, kSource, kSkipped, kNotATheme };

struct ThemeFolder {
  WString name;     // the sub-folder's name
  WString path;     // its path
  WString package;  // the package path the picker loads: path/name.elm
  FolderRole role = FolderRole::kNotATheme;
  WString why;  // for kSkipped: what is missing or misnamed
};

// Looks at one sub-folder. A folder without its information file that holds
// neither an information file, a package nor a style sheet is no theme.
ThemeFolder ClassifyThemeFolder(const WString& themes_folder, const WString& name);

// Whether sub-folders of one themes folder hold their packages (F/F.elm, a
// regular file), looked up from the open folder: what `list` asks of every
// theme it shows.
class PackageLook {
 public:
  explicit PackageLook(const WString& themes_folder);
  ~PackageLook();
  PackageLook(const PackageLook&) = delete;
  PackageLook& operator=(const PackageLook&) = delete;
  bool HasPackage(const WString& name) const;

 private:
  int fd_ = -1;
  WString folder_;
};

// Every sub-folder, in name order.
std::vector<ThemeFolder> ThemeFolders(const WString& themes_folder);

}  // namespace rxTheme::cli
