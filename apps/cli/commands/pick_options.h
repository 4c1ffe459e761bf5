// `rxtheme pick`: the options and the checks that run before the picker
// window opens. The window itself is a separate program, rxtheme-picker
// (apps/picker-qt/picker_window_main.cpp), so that no other command loads the window
// toolkit: `rxtheme pick` checks its arguments, then replaces itself with
// that program, which takes the same options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include <rxtheme/picker/theme_list.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

struct PickOptions {
  std::string themes_dir;
  std::string working_folder;
  std::string state;
  std::string help_file;
  std::string theme_title;
  std::string screenshot;
};

void AddPickOptions(CLI::App& cmd, PickOptions& o);

// The options checked and made absolute.
struct PickPlan {
  WString themes_folder;
  WString working_folder;
  WString state;  // empty: none
  bool state_exists = false;
  WString help_file;    // empty: none
  WString theme_title;  // empty: none
  WString screenshot;   // empty: none
};

// Raises, naming what is wrong: 76 for a themes folder that is missing or
// not a folder, for a working folder that is empty or cannot be made, and
// for a state or screenshot file whose folder is missing; 53 for a state
// path that is not a regular file; 429 when there is no display to show the
// window on. A --theme title that no theme of the folder has is refused
// (a Refusal, command_error.h) with the titles there are and the nearest one.
PickPlan CheckPick(const PickOptions& o);

// The title of `titles` that `wanted` most likely meant: one that differs
// only in letter case, else the nearest slip of the keyboard; else empty.
WString NearestTitle(const WString& wanted, const std::vector<WString>& titles);

// The refusal of a --theme title that names no theme of the list: the
// nearest title, then the titles there are.
std::string UnknownTitleText(const std::string& title, const ThemeList& list,
                             const WString& themes_folder);

// The picker program's arguments for checked options: the same options, with
// absolute paths.
std::vector<std::string> PickArguments(const PickOptions& o, const PickPlan& plan);

}  // namespace rxTheme::cli
