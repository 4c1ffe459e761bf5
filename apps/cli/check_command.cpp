// rxtheme check PATH [--json] [--strict]
//
// PATH is a theme's source folder (what pack takes), a package, or an
// installed theme (a folder F holding F.inf and F.elm). A folder that holds a
// style sheet is a source folder; one that holds none but a package is an
// installed theme. The findings are printed (findings.h); the exit status is
// 1 when there are errors (or warnings, with --strict), else 0.
#include <iostream>
#include <memory>
#include <string>

#include "check_inputs.h"
#include "command_error.h"
#include "command_files.h"
#include "command_line.h"
#include "commands.h"
#include "theme_input.h"
#include "theme_source.h"

namespace rxTheme::cli {

void CheckAnyTheme(const std::string& path, Findings& findings) {
  std::string given = path;
  while (given.size() > 1 && given.back() == '/') given.pop_back();
  const WString absolute = Absolute(given);
  const WString shown = DisplayPath(Widen(given));
  switch (ClassifyThemeInput(absolute)) {
    case ThemeInputKind::kInstalledTheme:
      CheckInstalledTheme(absolute, shown, findings);
      break;
    case ThemeInputKind::kSourceFolder: {
      ThemeSource source = ListThemeSource(path, {});
      ReadSheets(source, false);
      CheckThemeSource(source, HeaderText(source, VersionText(source, std::nullopt)), findings);
      break;
    }
    case ThemeInputKind::kPackage:
      CheckPackage(ExistingFile(path), shown, findings);
      break;
  }
}

namespace {

void RunCheck(const std::string& path, bool json, bool strict) {
  Findings findings;
  CheckAnyTheme(path, findings);
  std::cout << (json ? findings.Json() : findings.Text());
  if (findings.Fail(strict)) throw QuietExit{1};
}

}  // namespace

void AddCheckCommand(CLI::App& app) {
  struct Options {
    std::string path;
    bool json = false;
    bool strict = false;
  };
  auto o = std::make_shared<Options>();
  CLI::App* cmd = app.add_subcommand(
      "check", "Find the mistakes in a theme: a source folder, a package or an installed theme");
  cmd->add_option("PATH", o->path, "theme folder, package (.elm) or installed theme folder")
      ->required();
  cmd->add_flag("--json", o->json, "print the findings as a JSON array");
  cmd->add_flag("--strict", o->strict, "fail on warnings too");
  cmd->callback([o] { RunCheck(o->path, o->json, o->strict); });
}

}  // namespace rxTheme::cli
