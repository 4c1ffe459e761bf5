// The picker commands:
//   rxtheme list THEMES_DIR [--json]
//   rxtheme preview PACKAGE --working-folder DIR [--vivid] [--active] [--background] [--raw]
//                   [-o FILE]
//   rxtheme pick THEMES_DIR --working-folder DIR [--state STATE] [--help-file FILE]
//                [--theme TITLE] [--screenshot FILE]
// pick runs the picker window program (pick_options.h); nothing here uses
// the window toolkit.
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <rxtheme/picker/preview.h>
#include <rxtheme/picker/theme_list.h>
#include <rxtheme/theme/theme.h>
#include "command_error.h"
#include "command_files.h"
#include "commands.h"
#include "json_text.h"
#include "package_load.h"
#include "pick_options.h"
#include "printable.h"

namespace rxTheme::cli {
namespace {

void RunList(const std::string& themes_dir, bool json) {
  const WString folder = ExistingFolder(themes_dir, u"themes folder");
  ThemeList list;
  About(FolderSubject(u"themes folder", folder), [&] { ListInstalledThemes(folder, list); });
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
    std::cout << Printable(entry.text) << "\t" << Printable(entry.tag) << "\n";
  }
}

struct PreviewOptions {
  std::string package;
  std::string working_folder;
  bool vivid = false;
  bool active = false;
  bool background = false;
  bool raw = false;  // values as the theme holds them, not escaped
  std::string output;
};

void RunPreview(const PreviewOptions& o) {
  const WString package = ExistingPackage(o.package);
  std::unique_ptr<OutputFile> output;
  if (!o.output.empty()) output = std::make_unique<OutputFile>(Absolute(o.output));
  CTheme theme;
  theme.WorkingFolder(WorkingFolderForLoad(o.working_folder));
  WString html;
  LoadPackage(theme, package);
  About(DisplayPath(package), [&] {
    BuildPreview(theme, o.vivid, o.active, o.background, html,
                 o.raw ? PreviewEscaping::kNone : PreviewEscaping::kHtml);
  });
  // The page is 8-bit text, like the theme's own files.
  if (output) {
    output->Write(Narrow(html));
  } else {
    std::cout << Narrow(html);
  }
}

// The picker window program: beside this program, as the build and the
// installation both place it.
std::string PickerProgram() {
  std::string self(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", self.data(), self.size());
  if (n <= 0 || static_cast<size_t>(n) >= self.size()) return RXTHEME_PICKER_PROGRAM;
  self.resize(static_cast<size_t>(n));
  return self.substr(0, self.rfind('/') + 1) + RXTHEME_PICKER_PROGRAM;
}

[[noreturn]] void RunPick(const PickOptions& o) {
  const PickPlan plan = CheckPick(o);
  const std::string program = PickerProgram();
  std::vector<std::string> args = PickArguments(o, plan);
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::cout.flush();
  execvp(program.c_str(), argv.data());  // a bare name (no /proc) is looked up on PATH
  RaiseAbout(kCantCreateObject, u"no picker window program " + DisplayPath(Widen(program)) +
                                    u" (this rxtheme was built without Qt 6)");
}

}  // namespace

void AddPickerCommands(CLI::App& app) {
  {
    auto* cmd = app.add_subcommand("list", "List the installed themes as the picker shows them");
    auto dir = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    cmd->add_option("THEMES_DIR", *dir, "folder with one sub-folder per theme")->required();
    cmd->add_flag("--json", *json, "print a JSON list of {title, package}");
    cmd->callback([dir, json] { RunList(*dir, *json); });
  }
  {
    auto* cmd = app.add_subcommand("preview", "Write the picker's preview page of a theme");
    auto o = std::make_shared<PreviewOptions>();
    cmd->add_option("PACKAGE", o->package, "theme package (.elm)")->required();
    cmd->add_option("--working-folder", o->working_folder, "folder the pictures are unpacked into")
        ->required();
    cmd->add_flag("--vivid", o->vivid, "vivid colors (color variant 1)");
    cmd->add_flag("--active", o->active, "active graphics (graphics variant 1)");
    cmd->add_flag("--background", o->background, "with the background picture");
    cmd->add_flag("--raw", o->raw,
                  "the component's exact page: values not escaped (a theme's values can then "
                  "add markup or script to the page)");
    cmd->add_option("-o,--output", o->output, "write the page to FILE instead of stdout");
    cmd->callback([o] { RunPreview(*o); });
  }
  {
    auto* cmd = app.add_subcommand("pick", "Open the theme picker window on a theme");
    auto o = std::make_shared<PickOptions>();
    AddPickOptions(*cmd, *o);
    cmd->callback([o] { RunPick(*o); });
  }
}

}  // namespace rxTheme::cli
