// rxtheme check PATH [--json] [--strict]
//
// PATH is a theme's source folder (what pack takes), a package, or an
// installed theme (a folder F holding F.inf and F.elm). A folder that holds a
// style sheet is a source folder; one that holds none but a package is an
// installed theme. The findings are printed (findings.h); the exit status is
// 1 when there are errors (or warnings, with --strict), else 0.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include "check_inputs.h"
#include "command_error.h"
#include "command_files.h"
#include "command_line.h"
#include "commands.h"
#include "theme_source.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

// Whether a folder holds a file ending with `extension` (letter case ignored).
bool HoldsFileEnding(const WString& folder, const char16_t* extension) {
  std::error_code error;
  for (fs::directory_iterator it(fs::path(Narrow(folder)), error), end; !error && it != end;
       it.increment(error)) {
    const WString name = LCase(Widen(it->path().filename().string()));
    if (name.ends_with(extension)) return true;
  }
  return false;
}

void RunCheck(const std::string& path, bool json, bool strict) {
  std::string given = path;
  while (given.size() > 1 && given.back() == '/') given.pop_back();
  const WString absolute = Absolute(given);
  const WString shown = DisplayPath(Widen(given));
  Findings findings;
  Env& env = CurrentEnv();
  if (!absolute.empty() && env.FolderExists(absolute)) {
    if (!HoldsFileEnding(absolute, u".css") && HoldsFileEnding(absolute, u".elm")) {
      CheckInstalledTheme(absolute, shown, findings);
    } else {
      ThemeSource source = ListThemeSource(path, {});
      ReadSheets(source, false);
      CheckThemeSource(source, HeaderText(source, VersionText(source, std::nullopt)), findings);
    }
  } else {
    CheckPackage(ExistingFile(path), shown, findings);
  }
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
