// The picker commands:
//   rxtheme list THEMES_DIR [--json]
//   rxtheme preview PACKAGE --working-folder DIR [--vivid] [--active] [--background] [-o FILE]
//   rxtheme pick THEMES_DIR --working-folder DIR [--state STATE] [--help-file FILE]
//                [--theme TITLE] [--screenshot FILE]
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "commands.h"
#include "json_text.h"
#include "persist/property_bag.h"
#include "picker/preview.h"
#include "picker/select_theme.h"
#include "picker/theme_list.h"
#include "picker/theme_picker.h"
#include "platform/env.h"
#include "runtime/automation_error.h"
#include "state_file.h"
#include "theme/theme.h"

#ifdef RXTHEME_CLI_QT
#include <QDialog>
#include <QPixmap>

#include "qt_picker_view.h"
#endif

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

// Load changes the current directory: paths are made absolute first.
WString Absolute(const std::string& path) { return Widen(fs::absolute(path).string()); }

WString ExistingFile(const std::string& path) {
  const WString absolute = Absolute(path);
  if (!CurrentEnv().FileExists(absolute)) RaiseError(kFileNotFound);
  return absolute;
}

void RunList(const std::string& themes_dir, bool json) {
  ThemeList list;
  ListInstalledThemes(Absolute(themes_dir), list);
  if (json) {
    std::cout << "[";
    for (size_t i = 0; i < list.size(); ++i) {
      std::cout << (i ? ",\n " : "\n ") << "{\"title\": " << JsonString(list[i].text)
                << ", \"package\": " << JsonString(list[i].tag) << "}";
    }
    std::cout << (list.size() ? "\n]\n" : "]\n");
    return;
  }
  for (const ThemeEntry& entry : list.Entries()) {
    std::cout << ToUtf8(entry.text) << "\t" << ToUtf8(entry.tag) << "\n";
  }
}

struct PreviewOptions {
  std::string package;
  std::string working_folder;
  bool vivid = false;
  bool active = false;
  bool background = false;
  std::string output;
};

void RunPreview(const PreviewOptions& o) {
  const WString package = ExistingFile(o.package);
  const WString output = o.output.empty() ? WString() : Absolute(o.output);
  CTheme theme;
  theme.WorkingFolder(Absolute(o.working_folder));
  theme.Load(package);
  WString html;
  BuildPreview(theme, o.vivid, o.active, o.background, html);
  // The page is 8-bit text, like the theme's own files.
  if (output.empty()) {
    std::cout << Narrow(html);
  } else {
    CurrentEnv().WriteFile(output, Narrow(html));
  }
}

struct PickOptions {
  std::string themes_dir;
  std::string working_folder;
  std::string state;
  std::string help_file;
  std::string theme_title;
  std::string screenshot;
};

void RunPick(const PickOptions& o) {
  const WString state = o.state.empty() ? WString() : Absolute(o.state);
  std::shared_ptr<CTheme> theme;
  if (!state.empty() && CurrentEnv().FileExists(state)) {
    PropertyBagX bag;
    bag.Contents(ContentsFromBytes(CurrentEnv().ReadFile(state)));
    const Variant value = bag.ReadProperty(u"Theme");
    if (value.IsObject()) theme = std::dynamic_pointer_cast<CTheme>(value.ObjectValue());
    if (!theme) {
      RaiseError(kTypeMismatch, u"The saved state holds no theme under the key \"Theme\"");
    }
  } else {
    theme = std::make_shared<CTheme>();
  }
  theme->ThemesFolder(Absolute(o.themes_dir));
  theme->WorkingFolder(Absolute(o.working_folder));
  if (!o.help_file.empty()) theme->HelpFile(Absolute(o.help_file));

#ifdef RXTHEME_CLI_QT
  QtPickerOptions qt;
  if (!o.theme_title.empty() || !o.screenshot.empty()) {
    const WString title = FromUtf8(o.theme_title);
    const std::string screenshot =
        o.screenshot.empty() ? std::string() : fs::absolute(o.screenshot).string();
    qt.on_shown = [title, screenshot](QDialog& dialog, ThemePicker& picker) {
      if (!title.empty()) {
        const size_t index = picker.Themes().FindFirstAdded(title);
        if (index == ThemeList::kNone) {
          std::cerr << "rxtheme: no theme titled \"" << ToUtf8(title) << "\"\n";
        } else {
          picker.ClickTheme(index);
        }
      }
      if (!screenshot.empty()) {
        if (!dialog.grab().save(QString::fromStdString(screenshot), "PNG")) {
          std::cerr << "rxtheme: cannot write " << screenshot << "\n";
        }
        dialog.reject();  // closed through the window: result 0
      }
    };
  }
  InstallQtPickerView(qt);
#else
  if (!o.theme_title.empty() || !o.screenshot.empty()) {
    RaiseError(kCantCreateObject, u"This rxtheme was built without the Qt picker window");
  }
#endif

  const int32_t result = theme->SelectTheme(theme);
  std::cout << "result: " << result << "\n"
            << "theme: " << ToUtf8(theme->CurrentThemeName()) << "\n";
  if (result == 1 && !state.empty()) {
    PropertyBagX bag;
    bag.WriteProperty(u"Theme", Variant::Obj(theme));
    CurrentEnv().WriteFile(state, ContentsBytes(bag.Contents()));
  }
}

}  // namespace

void AddPickerCommands(CLI::App& app) {
  {
    auto* cmd = app.add_subcommand("list", "List the installed themes as the picker shows them");
    auto dir = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    cmd->add_option("THEMES_DIR", *dir, "Folder with one sub-folder per theme")->required();
    cmd->add_flag("--json", *json, "Print a JSON list of {title, package}");
    cmd->callback([dir, json] { RunList(*dir, *json); });
  }
  {
    auto* cmd = app.add_subcommand("preview", "Write the picker's preview page of a theme");
    auto o = std::make_shared<PreviewOptions>();
    cmd->add_option("PACKAGE", o->package, "Theme package (.elm)")->required();
    cmd->add_option("--working-folder", o->working_folder, "Folder for the theme's pictures")
        ->required();
    cmd->add_flag("--vivid", o->vivid, "Vivid colors");
    cmd->add_flag("--active", o->active, "Active graphics");
    cmd->add_flag("--background", o->background, "Background picture");
    cmd->add_option("-o,--output", o->output, "Write the page to FILE instead of stdout");
    cmd->callback([o] { RunPreview(*o); });
  }
  {
    auto* cmd = app.add_subcommand("pick", "Open the theme picker window on a theme");
    auto o = std::make_shared<PickOptions>();
    cmd->add_option("THEMES_DIR", o->themes_dir, "Folder with one sub-folder per theme")
        ->required();
    cmd->add_option("--working-folder", o->working_folder, "Folder for the theme's pictures")
        ->required();
    cmd->add_option("--state", o->state,
                    "Page state: restored when the file exists, saved after OK");
    cmd->add_option("--help-file", o->help_file, "Help file of the Help button");
    cmd->add_option("--theme", o->theme_title, "Click the theme of this title once shown");
    cmd->add_option("--screenshot", o->screenshot,
                    "Save a PNG of the dialog once shown, then close it");
    cmd->callback([o] { RunPick(*o); });
  }
}

}  // namespace rxTheme::cli
