#include "theme_folders.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "folder_package.h"
#include "platform/env.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

// The names of the regular files of a folder that end in `ext` (any case).
std::vector<WString> FilesEndingIn(const WString& folder, std::u16string_view ext) {
  std::vector<WString> names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(Narrow(folder)), error), end; !error && it != end;
       it.increment(error)) {
    const WString name = Widen(it->path().filename().string());
    std::error_code no_status;
    if (name.size() > ext.size() && EqualsNoCase(name.substr(name.size() - ext.size()), ext) &&
        it->is_regular_file(no_status)) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The file among `names` that is `wanted` but for letter case, or empty.
WString OtherCase(const std::vector<WString>& names, const WString& wanted) {
  for (const WString& name : names) {
    if (EqualsNoCase(name, wanted)) return name;
  }
  return {};
}

}  // namespace

ThemeFolder ClassifyThemeFolder(const WString& themes_folder, const WString& name) {
  Env& env = CurrentEnv();
  ThemeFolder f;
  f.name = name;
  f.path = env.BuildPath(themes_folder, name);
  f.package = env.BuildPath(f.path, name + u".elm");
  const WString info = name + u".inf";
  const WString package = name + u".elm";
  if (!env.FileExists(env.BuildPath(f.path, info))) {
    const std::vector<WString> infos = FilesEndingIn(f.path, u".inf");
    if (infos.empty() && FilesEndingIn(f.path, u".elm").empty() && !HoldsStyleSheet(f.path)) {
      return f;  // not a theme
    }
    f.role = FolderRole::kSkipped;
    if (const WString other = OtherCase(infos, info); !other.empty()) {
      f.why = u"its information file is " + other + u"; the picker reads " + info +
              u" (letter case differs)";
    } else if (!infos.empty()) {
      f.why = u"no " + info + u" (it holds " + infos.front() +
              u"; the information file is named after the folder)";
    } else {
      f.why = u"no " + info + u" (the picker lists a folder by its information file)";
    }
    return f;
  }
  if (env.FileExists(f.package)) {
    f.role = FolderRole::kInstalled;
  } else if (HoldsStyleSheet(f.path)) {
    f.role = FolderRole::kSource;
  } else {
    f.role = FolderRole::kSkipped;
    if (const WString other = OtherCase(FilesEndingIn(f.path, u".elm"), package); !other.empty()) {
      f.why =
          u"its package is " + other + u"; the picker loads " + package + u" (letter case differs)";
    } else {
      f.why = u"no package " + package + u" and no style sheet to read instead";
    }
  }
  return f;
}

std::vector<ThemeFolder> ThemeFolders(const WString& themes_folder) {
  std::vector<WString> names = CurrentEnv().ListSubFolders(themes_folder);
  std::sort(names.begin(), names.end());
  std::vector<ThemeFolder> folders;
  for (const WString& name : names) folders.push_back(ClassifyThemeFolder(themes_folder, name));
  return folders;
}

}  // namespace rxTheme::cli
