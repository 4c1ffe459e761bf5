// The theme commands:
//   rxtheme load PACKAGE --working-folder DIR [--color-index N] [--graph-index N]
//                [--include-path] [--json]
//   rxtheme save [PACKAGE] --working-folder DIR -o STATE [options] [--print|--json]
//   rxtheme restore STATE [--json]
// and `pack` from theme_pack.cpp.
#include "commands.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "persist/contents_codec.h"
#include "persist/property_bag.h"
#include "platform/env.h"
#include "runtime/automation_error.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "settings/base_object.h"
#include "settings/color_object.h"
#include "settings/graph_object.h"
#include "state_file.h"
#include "theme/theme.h"
#include "theme_pack.h"
#include "theme_print.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

// Load changes the current directory, so every path the command uses after
// it (the state file, the working folder that picture values carry) is made
// absolute first, against the directory the command started in. Paths keep
// their bytes, one unit each, as the file functions expect.
WString Absolute(const std::string& path) { return Widen(fs::absolute(path).string()); }

// PACKAGE and STATE must exist: the component itself would create a missing
// package empty.
WString ExistingFile(const std::string& path) {
  const WString absolute = Absolute(path);
  if (!CurrentEnv().FileExists(absolute)) RaiseError(kFileNotFound);
  return absolute;
}

void PrintTheme(CTheme& theme, bool json) {
  std::cout << (json ? ThemeJson(theme) : ThemeText(theme));
}

struct LoadOptions {
  std::string package;
  std::string working_folder;
  int16_t color_index = 0;
  int16_t graph_index = 0;
  bool include_path = false;
  bool json = false;
};

void AddLoadOptions(CLI::App& cmd, LoadOptions& o, bool package_required) {
  auto* package = cmd.add_option("PACKAGE", o.package, "theme package (.elm)");
  if (package_required) package->required();
  cmd.add_option("--working-folder", o.working_folder, "folder the pictures are unpacked into")
      ->required();
  cmd.add_option("--color-index", o.color_index, "color variant: 0 normal, 1 vivid");
  cmd.add_option("--graph-index", o.graph_index, "graphics variant: 0 normal, 1 active");
  cmd.add_flag("--include-path", o.include_path, "picture values with the working folder");
}

// A new theme with WorkingFolder set and the package (if any) loaded.
std::shared_ptr<CTheme> NewLoadedTheme(const LoadOptions& o) {
  auto theme = std::make_shared<CTheme>();
  theme->WorkingFolder(Absolute(o.working_folder));
  if (!o.package.empty()) theme->Load(ExistingFile(o.package));
  return theme;
}

void RunLoad(const LoadOptions& o) {
  auto theme = NewLoadedTheme(o);
  theme->ColorIndex(o.color_index);
  theme->GraphIndex(o.graph_index);
  if (o.include_path) theme->IncludePath(true);
  PrintTheme(*theme, o.json);
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

// "SECTION.STYLE.PROPERTY=VALUE" through the settings object's let.
template <class Object>
void SetCustom(const std::shared_ptr<Object>& object, const std::string& property,
               const WString& value, const std::string& assignment) {
  const auto& names = Object::StringPropertyNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (EqualsNoCase(names[i], FromUtf8(property))) {
      object->SetStringProperty(i, value);
      return;
    }
  }
  throw CLI::ValidationError("--custom",
                             "unknown property \"" + property + "\" in \"" + assignment + "\"");
}

void ApplyCustom(CTheme& theme, const std::string& assignment) {
  const size_t eq = assignment.find('=');
  const size_t dot1 = assignment.find('.');
  const size_t dot2 = dot1 == std::string::npos ? dot1 : assignment.find('.', dot1 + 1);
  if (eq == std::string::npos || dot2 == std::string::npos || dot2 > eq) {
    throw CLI::ValidationError("--custom",
                               "expected SECTION.STYLE.PROPERTY=VALUE, got \"" + assignment + "\"");
  }
  const std::string section = assignment.substr(0, dot1);
  const WString style = FromUtf8(assignment.substr(dot1 + 1, dot2 - dot1 - 1));
  const std::string property = assignment.substr(dot2 + 1, eq - dot2 - 1);
  const WString value = FromUtf8(assignment.substr(eq + 1));
  auto unknown_style = [&] {
    throw CLI::ValidationError("--custom", "unknown " + section + " style \"" + ToUtf8(style) +
                                               "\" in \"" + assignment + "\"");
  };
  if (section == "color") {
    auto object = theme.Color(style);
    if (!object) unknown_style();
    SetCustom(object, property, value, assignment);
  } else if (section == "graph") {
    auto object = theme.Graph(style);
    if (!object) unknown_style();
    SetCustom(object, property, value, assignment);
  } else if (section == "base") {
    auto object = theme.Base(style);
    if (!object) unknown_style();
    SetCustom(object, property, value, assignment);
  } else {
    throw CLI::ValidationError("--custom", "unknown section \"" + section + "\" in \"" +
                                               assignment + "\" (color, graph or base)");
  }
}

void RunSave(const SaveOptions& o) {
  const WString state = Absolute(o.output);
  auto theme = NewLoadedTheme(o.load);
  theme->ColorIndex(o.load.color_index);
  theme->GraphIndex(o.load.graph_index);
  if (o.load.include_path) theme->IncludePath(true);
  if (o.use_custom_settings) theme->UseCustomSettings(true);
  if (o.no_theme_settings) theme->UseThemeSettings(false);
  if (o.use_background_image) theme->UseBackgroundImage(true);
  if (o.themes_folder) theme->ThemesFolder(Widen(*o.themes_folder));
  if (o.theme_name) theme->CurrentThemeName(FromUtf8(*o.theme_name));
  if (o.theme_file) theme->CurrentThemeFile(Widen(*o.theme_file));
  for (const std::string& assignment : o.customs) ApplyCustom(*theme, assignment);

  PropertyBagX bag;
  bag.WriteProperty(u"Theme", Variant::Obj(theme));
  CurrentEnv().WriteFile(state, ContentsBytes(bag.Contents()));
  if (o.print || o.load.json) PrintTheme(*theme, o.load.json);
}

void RunRestore(const std::string& path, bool json) {
  PropertyBagX bag;
  bag.Contents(ContentsFromBytes(CurrentEnv().ReadFile(ExistingFile(path))));
  const Variant value = bag.ReadProperty(u"Theme");
  std::shared_ptr<CTheme> theme;
  if (value.IsObject()) theme = std::dynamic_pointer_cast<CTheme>(value.ObjectValue());
  if (!theme) {
    RaiseError(kTypeMismatch, u"The saved state holds no theme under the key \"Theme\"");
  }
  PrintTheme(*theme, json);
}

}  // namespace

void AddThemeCommands(CLI::App& app) {
  auto load = std::make_shared<LoadOptions>();
  CLI::App* load_cmd = app.add_subcommand("load", "Load a theme package and print the theme");
  AddLoadOptions(*load_cmd, *load, true);
  load_cmd->add_flag("--json", load->json, "print JSON");
  load_cmd->callback([load] { RunLoad(*load); });

  auto save = std::make_shared<SaveOptions>();
  CLI::App* save_cmd =
      app.add_subcommand("save", "Load a theme (or start a new one), set values, save its state");
  AddLoadOptions(*save_cmd, save->load, false);
  save_cmd->add_option("-o,--output", save->output, "state file (bag contents)")->required();
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
                       "SECTION.STYLE.PROPERTY=VALUE (SECTION: color, graph or base)");
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
