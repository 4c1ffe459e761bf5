#include "files/theme_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/env.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

// The regular files of a folder, listed once: what a folder without its
// information file or its package holds instead.
struct Listing {
  std::vector<WString> infos, packages;  // "*.inf", "*.elm" (any case), by name
  bool sheet = false;                    // a style sheet that would be a piece

  explicit Listing(const WString& folder) {
    std::error_code error;
    for (fs::directory_iterator it(fs::path(Narrow(folder)), error), end; !error && it != end;
         it.increment(error)) {
      const std::string name = it->path().filename().string();
      std::error_code no_status;
      if (name.size() <= 4 || !it->is_regular_file(no_status)) continue;
      const WString ext = Widen(name.substr(name.size() - 4));
      if (EqualsNoCase(ext, u".inf")) infos.push_back(Widen(name));
      if (EqualsNoCase(ext, u".elm")) packages.push_back(Widen(name));
      if (EqualsNoCase(ext, u".css") && name[0] != '.') sheet = true;
    }
    std::sort(infos.begin(), infos.end());
    std::sort(packages.begin(), packages.end());
  }
};

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
    const Listing files(f.path);
    if (files.infos.empty() && files.packages.empty() && !files.sheet) return f;  // no theme
    f.role = FolderRole::kSkipped;
    if (const WString other = OtherCase(files.infos, info); !other.empty()) {
      f.why = u"its information file is " + other + u"; the picker reads " + info +
              u" (letter case differs)";
    } else if (!files.infos.empty()) {
      f.why = u"no " + info + u" (it holds " + files.infos.front() +
              u"; the information file is named after the folder)";
    } else {
      f.why = u"no " + info + u" (the picker lists a folder by its information file)";
    }
    return f;
  }
  if (env.FileExists(f.package)) {
    f.role = FolderRole::kInstalled;
    return f;
  }
  const Listing files(f.path);
  if (files.sheet) {
    f.role = FolderRole::kSource;
  } else {
    f.role = FolderRole::kSkipped;
    if (const WString other = OtherCase(files.packages, package); !other.empty()) {
      f.why =
          u"its package is " + other + u"; the picker loads " + package + u" (letter case differs)";
    } else {
      f.why = u"no package " + package + u" and no style sheet to read instead";
    }
  }
  return f;
}

PackageLook::PackageLook(const WString& themes_folder) : folder_(themes_folder) {
  fd_ = open(Narrow(themes_folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

PackageLook::~PackageLook() {
  if (fd_ >= 0) close(fd_);
}

bool PackageLook::HasPackage(const WString& name) const {
  const WString relative = name + u"/" + name + u".elm";
  if (fd_ < 0) return CurrentEnv().FileExists(CurrentEnv().BuildPath(folder_, relative));
  struct stat st;
  return fstatat(fd_, Narrow(relative).c_str(), &st, 0) == 0 && S_ISREG(st.st_mode);
}

std::vector<ThemeFolder> ThemeFolders(const WString& themes_folder) {
  std::vector<WString> names = CurrentEnv().ListSubFolders(themes_folder);
  std::sort(names.begin(), names.end());
  std::vector<ThemeFolder> folders;
  for (const WString& name : names) folders.push_back(ClassifyThemeFolder(themes_folder, name));
  return folders;
}

}  // namespace rxTheme::cli
