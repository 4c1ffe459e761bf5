// The theme commands:
//   rxtheme load PACKAGE --working-folder DIR [--color-index N] [--graph-index N]
//                [--include-path] [--json]
//   rxtheme save [PACKAGE] --working-folder DIR -o STATE [options] [--print|--json]
//   rxtheme restore STATE [--json]
// and `pack` (pack_command.cpp).
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <rxtheme/theme/theme.h>
#include "command_error.h"
#include "commands/command_line.h"
#include "commands/commands.h"
#include "commands/custom_values.h"
#include "files/command_files.h"
#include "files/package_load.h"
#include "files/state_file.h"
#include "files/theme_pack.h"
#include "print/printable.h"
#include "print/theme_print.h"

namespace rxTheme::cli {
namespace {

struct LoadOptions {
  std::string package;
  std::string working_folder;
  int16_t color_index = 0;
  int16_t graph_index = 0;
  bool include_path = false;
  bool json = false;
};

void AddLoadOptions(CLI::App& cmd, LoadOptions& o, bool package_required) {
  auto* package =
      cmd.add_option("PACKAGE", o.package, "theme package (.elm), or a theme's source folder");
  if (package_required) package->required();
  cmd.add_option("--working-folder", o.working_folder, "folder the pictures are unpacked into")
      ->required();
  AddIndexOption(cmd, "--color-index", o.color_index, "color variant: 0 normal, 1 vivid");
  AddIndexOption(cmd, "--graph-index", o.graph_index, "graphics variant: 0 normal, 1 active");
  cmd.add_flag("--include-path", o.include_path, "picture values with the working folder");
}

// A new theme with its working folder set, the package (if any) loaded and
// the variants chosen; the package may be a theme's source folder. Without
// a package the working folder is only a value to save (it may be empty, or
// a folder of another machine).
std::shared_ptr<CTheme> NewLoadedTheme(const LoadOptions& o, const char* command) {
  auto theme = std::make_shared<CTheme>();
  if (o.package.empty()) {
    theme->WorkingFolder(Absolute(o.working_folder));
  } else {
    LoadInput input = ExistingTheme(o.package);
    theme->WorkingFolder(WorkingFolderForLoad(o.working_folder));
    LoadTheme(*theme, input, command);
  }
  theme->ColorIndex(o.color_index);
  theme->GraphIndex(o.graph_index);
  if (o.include_path) theme->IncludePath(true);
  return theme;
}

void PrintTheme(CTheme& theme, bool json) {
  std::cout << (json ? ThemeJson(theme) : ThemeText(theme));
}

struct SaveOptions {
  LoadOptions load;
  std::string output;
  bool use_custom_settings = false;
  bool no_theme_settings = false;
  bool use_background_image = false;
  std::optional<std::string> themes_folder, theme_name, theme_file;
  std::vector<std::string> customs;
  bool print = false;  // print the theme as saved
};

void RunSave(const SaveOptions& o) {
  OutputFile state(Absolute(o.output));
  auto theme = NewLoadedTheme(o.load, "save");
  if (o.use_custom_settings) theme->UseCustomSettings(true);
  if (o.no_theme_settings) theme->UseThemeSettings(false);
  if (o.use_background_image) theme->UseBackgroundImage(true);
  if (o.themes_folder) theme->ThemesFolder(Widen(*o.themes_folder));
  if (o.theme_name) theme->CurrentThemeName(FromUtf8(*o.theme_name));
  if (o.theme_file) theme->CurrentThemeFile(Widen(*o.theme_file));
  for (const std::string& assignment : o.customs) ApplyCustom(*theme, assignment);

  // The printed theme is read before the state is written, so that a print
  // that fails leaves no new state behind.
  const std::string printed = o.load.json ? ThemeJson(*theme) : o.print ? ThemeText(*theme) : "";
  WriteState(state, theme);
  std::cout << printed;
  if (!o.load.json) {
    std::cout << "Saved the page state to " << Printable(DisplayPath(state.Path())) << "\n";
  }
}

void RunRestore(const std::string& path, bool json) {
  const WString state = ExistingFile(path);
  auto theme = ReadState(state);
  About(DisplayPath(state), [&] { PrintTheme(*theme, json); });
}

}  // namespace

void AddThemeCommands(CLI::App& app) {
  auto load = std::make_shared<LoadOptions>();
  CLI::App* load_cmd = app.add_subcommand("load", "Load a theme package and print the theme");
  AddLoadOptions(*load_cmd, *load, true);
  load_cmd->add_flag("--json", load->json, "print JSON");
  load_cmd->callback([load] { PrintTheme(*NewLoadedTheme(*load, "load"), load->json); });

  auto save = std::make_shared<SaveOptions>();
  CLI::App* save_cmd =
      app.add_subcommand("save", "Load a theme (or start a new one), set values, save its state");
  AddLoadOptions(*save_cmd, save->load, false);
  save_cmd->add_option("-o,--output", save->output, "state file to write (bag contents)")
      ->required();
  save_cmd->add_flag("--use-custom-settings", save->use_custom_settings,
                     "the page uses its custom values where they are set");
  save_cmd->add_flag("--no-theme-settings", save->no_theme_settings,
                     "the page does not use the theme's values");
  save_cmd->add_flag("--use-background-image", save->use_background_image,
                     "the page shows the theme's background picture");
  save_cmd->add_option("--themes-folder", save->themes_folder, "folder of the installed themes");
  save_cmd->add_option("--theme-name", save->theme_name, "title of the current theme");
  save_cmd->add_option("--theme-file", save->theme_file, "package of the current theme");
  save_cmd->add_option("--custom", save->customs,
                       "custom value SECTION.STYLE.PROPERTY=VALUE (SECTION: color, graph or base)");
  save_cmd->add_flag("--print", save->print, "print the theme as saved");
  save_cmd->add_flag("--json", save->load.json, "print the theme as saved, as JSON");
  save_cmd->callback([save] { RunSave(*save); });

  auto restore_path = std::make_shared<std::string>();
  auto restore_json = std::make_shared<bool>(false);
  CLI::App* restore_cmd = app.add_subcommand("restore", "Restore a saved theme and print it");
  restore_cmd->add_option("STATE", *restore_path, "state file written by save")->required();
  restore_cmd->add_flag("--json", *restore_json, "print JSON");
  restore_cmd->callback([restore_path, restore_json] { RunRestore(*restore_path, *restore_json); });

  AddPackCommand(app);
}

}  // namespace rxTheme::cli
