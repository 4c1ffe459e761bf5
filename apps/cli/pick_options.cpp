#include "pick_options.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <rxtheme/picker/theme_list.h>
#include "command_error.h"
#include "command_files.h"
#include "platform/env.h"

namespace rxTheme::cli {

namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// Whether the window toolkit has somewhere to draw: an X or Wayland display,
// or a platform that needs none (QT_QPA_PLATFORM=offscreen, vnc, ...).
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) {
    const std::string name =
        std::string(platform).substr(0, std::string(platform).find_first_of(";:"));
    if (name == "xcb") return IsSet("DISPLAY");
    if (name.rfind("wayland", 0) == 0) return IsSet("WAYLAND_DISPLAY");
    return true;
  }
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

// The absolute path of a file the picker writes; its folder must exist.
WString OutputPath(const std::string& path) {
  const WString absolute = Absolute(path);
  const size_t slash = absolute.rfind(kPathSeparator);
  const WString folder = slash == 0 ? absolute.substr(0, 1) : absolute.substr(0, slash);
  if (!CurrentEnv().FolderExists(folder)) RaiseAbout(kPathNotFound, DisplayPath(absolute));
  return absolute;
}

}  // namespace

void AddPickOptions(CLI::App& cmd, PickOptions& o) {
  cmd.add_option("THEMES_DIR", o.themes_dir, "folder with one sub-folder per theme")->required();
  cmd.add_option("--working-folder", o.working_folder, "folder the pictures are unpacked into")
      ->required();
  cmd.add_option("--state", o.state, "page state: restored when the file exists, saved after OK");
  cmd.add_option("--help-file", o.help_file, "help file of the Help button");
  cmd.add_option("--theme", o.theme_title, "click the theme of this title once shown");
  cmd.add_option("--screenshot", o.screenshot,
                 "save a PNG of the dialog once shown, then close it");
}

PickPlan CheckPick(const PickOptions& o) {
  PickPlan plan;
  plan.themes_folder = ExistingFolder(o.themes_dir, u"themes folder");
  plan.working_folder = WorkingFolderForLoad(o.working_folder);
  if (!o.state.empty()) {
    plan.state = OutputPath(o.state);
    plan.state_exists = CurrentEnv().FileExists(plan.state);
    // Anything else at the path (a folder, a pipe) can be neither restored
    // nor replaced.
    std::error_code error;
    if (!plan.state_exists && std::filesystem::exists(std::filesystem::symlink_status(
                                  std::filesystem::path(Narrow(plan.state)), error))) {
      ExistingFile(o.state);
    }
  }
  if (!o.help_file.empty()) plan.help_file = Absolute(o.help_file);
  if (!o.screenshot.empty()) plan.screenshot = OutputPath(o.screenshot);
  if (!o.theme_title.empty()) {
    plan.theme_title = FromUtf8(o.theme_title);
    ThemeList list;
    About(FolderSubject(u"themes folder", plan.themes_folder),
          [&] { ListInstalledThemes(plan.themes_folder, list); });
    if (list.FindFirstAdded(plan.theme_title) == ThemeList::kNone) {
      RaiseAbout(kInvalidProcedureCall, u"--theme \"" + plan.theme_title +
                                            u"\" names no theme in " +
                                            DisplayPath(plan.themes_folder));
    }
  }
  if (!HasDisplay()) {
    RaiseAbout(kCantCreateObject,
               u"no display for the picker window (DISPLAY is not set; "
               u"QT_QPA_PLATFORM=offscreen draws without one)");
  }
  return plan;
}

std::vector<std::string> PickArguments(const PickOptions& o, const PickPlan& plan) {
  std::vector<std::string> args = {Narrow(plan.themes_folder), "--working-folder",
                                   Narrow(plan.working_folder)};
  auto add = [&](const char* option, const WString& value) {
    if (value.empty()) return;
    args.push_back(option);
    args.push_back(Narrow(value));
  };
  add("--state", plan.state);
  add("--help-file", plan.help_file);
  add("--screenshot", plan.screenshot);
  if (!o.theme_title.empty()) {
    args.push_back("--theme");
    args.push_back(o.theme_title);
  }
  return args;
}

}  // namespace rxTheme::cli
