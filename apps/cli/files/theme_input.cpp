#include "files/theme_input.h"

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <system_error>

#include <rxtheme/picker/theme_list.h>
#include <rxtheme/runtime/automation_error.h>
#include "authoring/theme_source.h"
#include "command_error.h"
#include "files/command_files.h"
#include "files/folder_package.h"
#include "files/theme_pack.h"
#include "platform/env.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

// The title of an information file, or `fallback` when it has none.
WString TitleOf(const WString& info, const WString& fallback) {
  Env& env = CurrentEnv();
  if (!env.FileExists(info)) return fallback;
  WString title = env.ReadProfileString(info, u"info", u"title", u"", kTitleBufferSize);
  return title.empty() ? fallback : title;
}

}  // namespace

bool HoldsFileEnding(const WString& folder, const char16_t* extension) {
  std::error_code error;
  for (fs::directory_iterator it(fs::path(Narrow(folder)), error), end; !error && it != end;
       it.increment(error)) {
    const WString name = LCase(Widen(it->path().filename().string()));
    if (name.ends_with(extension)) return true;
  }
  return false;
}

ThemeInputKind ClassifyThemeInput(const WString& absolute) {
  if (absolute.empty() || !CurrentEnv().FolderExists(absolute)) return ThemeInputKind::kPackage;
  if (!HoldsFileEnding(absolute, u".css") && HoldsFileEnding(absolute, u".elm"))
    return ThemeInputKind::kInstalledTheme;
  return ThemeInputKind::kSourceFolder;
}

ThemeInput::ThemeInput(const std::string& path) {
  std::string given = path;
  while (given.size() > 1 && given.back() == '/') given.pop_back();
  const WString absolute = Absolute(given);
  kind_ = ClassifyThemeInput(absolute);
  const std::string name = fs::path(Narrow(absolute)).filename().string();
  switch (kind_) {
    case ThemeInputKind::kPackage:
      package_ = ExistingPackage(path);
      title_ = Widen(fs::path(Narrow(package_)).stem().string());
      break;
    case ThemeInputKind::kInstalledTheme:
      package_ = ExistingPackage(Narrow(absolute) + "/" + name + ".elm");
      title_ = TitleOf(absolute + u"/" + Widen(name) + u".inf", Widen(name));
      break;
    case ThemeInputKind::kSourceFolder: {
      ThemeSource source = ListSourceFolder(path, {});
      const std::string version = VersionText(source, std::nullopt);
      CheckPackable(source, version);
      ReadSheets(source, false);
      // The sheets' sizes changed with their line ends.
      CheckPackable(source, version);
      std::string pattern = (fs::temp_directory_path() / "rxtheme-XXXXXX").string();
      if (mkdtemp(pattern.data()) == nullptr) {
        RaiseAbout(kPathNotFound, u"temporary folder " + DisplayPath(Widen(pattern)));
      }
      temporary_folder_ = pattern;
      package_ = Widen(temporary_folder_ + "/" + (name.empty() ? "theme" : name) + ".elm");
      WritePackage(source, version, package_);
      title_ = source.info_files.empty()
                   ? Widen(name)
                   : TitleOf(SourcePath(source, source.info_files.front()), Widen(name));
      break;
    }
  }
}

ThemeInput::~ThemeInput() {
  if (temporary_folder_.empty()) return;
  std::error_code ignored;
  fs::remove_all(temporary_folder_, ignored);
}

}  // namespace rxTheme::cli
