#include "commands/pick_options.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <rxtheme/picker/theme_list.h>
#include "command_error.h"
#include "commands/command_line.h"
#include "files/command_files.h"
#include "platform/env.h"
#include "print/printable.h"

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

// Titles named in full up to this many; more are counted.
constexpr size_t kTitlesShown = 12;

WString Lower(WString text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

}  // namespace

WString NearestTitle(const WString& wanted, const std::vector<WString>& titles) {
  for (const WString& title : titles) {
    if (EqualsNoCase(title, wanted)) return title;
  }
  std::vector<std::string> lowered;
  for (const WString& title : titles) lowered.push_back(ToUtf8(Lower(title)));
  const std::string near = Nearest(ToUtf8(Lower(wanted)), lowered);
  if (near.empty()) return {};
  const auto at = std::find(lowered.begin(), lowered.end(), near);
  return titles[static_cast<size_t>(at - lowered.begin())];
}

std::string UnknownTitleText(const std::string& title, const ThemeList& list,
                             const WString& themes_folder) {
  const std::string folder = ToUtf8(DisplayPath(themes_folder));
  std::string text = "--theme \"" + title + "\" names no theme in themes folder " + folder;
  std::vector<WString> titles;
  for (const ThemeEntry& entry : list.Entries()) {
    if (titles.empty() || titles.back() != entry.text) titles.push_back(entry.text);
  }
  if (titles.empty())
    return text + ", which holds none (see rxtheme list " + ShellWord(folder) + ")";
  if (const WString near = NearestTitle(FromUtf8(title), titles); !near.empty()) {
    text += "; did you mean " + ToUtf8(near) + "?";
  }
  text += titles.size() == 1 ? " (the title there is: " : " (the titles there are: ";
  for (size_t i = 0; i < titles.size() && i < kTitlesShown; ++i) {
    text += (i ? ", " : "") + ToUtf8(titles[i]);
  }
  if (titles.size() > kTitlesShown) {
    text += " and " + std::to_string(titles.size() - kTitlesShown) + " more";
  }
  return text + ")";
}

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
      throw Refusal{"pick", UnknownTitleText(o.theme_title, list, plan.themes_folder)};
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
