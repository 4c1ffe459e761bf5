// rxtheme check PATH [--json] [--strict] [--fix [--dry-run]]
//
// PATH is a theme's source folder (what pack takes), a package, an installed
// theme (a folder F holding F.inf and F.elm), or one style sheet. A folder
// that holds a style sheet is a source folder; one that holds none but a
// package is an installed theme. The findings are printed (findings.h); the
// exit status is 1 when there are errors (or warnings, with --strict), else
// 0. --fix first rewrites the sheets of a source folder or the sheet into the
// parsers' layout (theme_fix.h) and prints each change; --dry-run prints the
// changes as a diff and writes nothing.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include "authoring/check_inputs.h"
#include "authoring/sheet_check.h"
#include "authoring/theme_check.h"
#include "authoring/theme_source.h"
#include "command_error.h"
#include "commands/command_line.h"
#include "commands/commands.h"
#include "files/command_files.h"
#include "files/folder_package.h"
#include "files/theme_fix.h"
#include "files/theme_input.h"
#include "print/findings_text.h"
#include "theme/package_format.h"

namespace rxTheme::cli {

namespace {

// One style sheet, as its file names it: checked as pack would pack it (CR
// LF line ends), its pictures not looked for.
void CheckSheetFile(const std::string& path, const WString& shown, Findings& findings) {
  const WString name = Widen(std::filesystem::path(path).filename().string());
  const PieceRole role = RoleOf(LCase(name));
  // A file that names no sheet the loader reads is not read at all.
  const bool read = role == PieceRole::kColorSheet || role == PieceRole::kGraphSheet ||
                    role == PieceRole::kBaseSheet;
  const std::string text = read ? CurrentEnv().ReadFile(ExistingFile(path)) : std::string();
  CheckSheetBytes(name, text, shown, findings);
}

bool IsSheetPath(const std::string& path) { return LCase(Widen(path)).ends_with(u".css"); }

}  // namespace

void CheckAnyTheme(const std::string& path, Findings& findings) {
  std::string given = path;
  while (given.size() > 1 && given.back() == '/') given.pop_back();
  const WString absolute = Absolute(given);
  const WString shown = DisplayPath(Widen(given));
  if (IsSheetPath(given) && !(!absolute.empty() && CurrentEnv().FolderExists(absolute))) {
    CheckSheetFile(given, shown, findings);
    return;
  }
  switch (ClassifyThemeInput(absolute)) {
    case ThemeInputKind::kInstalledTheme:
      CheckInstalledTheme(absolute, shown, findings);
      break;
    case ThemeInputKind::kSourceFolder: {
      ThemeSource source = ListSourceFolder(path, {});
      ReadSheets(source, false);
      CheckThemeSource(source, VersionText(source, std::nullopt), findings);
      break;
    }
    case ThemeInputKind::kPackage:
      CheckPackage(ExistingFile(path), shown, findings);
      break;
  }
}

namespace {

void RunCheck(const std::string& path, bool json, bool strict, bool fix, bool dry_run) {
  if (fix) {
    std::string given = path;
    while (given.size() > 1 && given.back() == '/') given.pop_back();
    const WString absolute = Absolute(given);
    const WString shown = DisplayPath(Widen(given));
    const bool folder = !absolute.empty() && CurrentEnv().FolderExists(absolute);
    if (!folder && !IsSheetPath(given)) {
      throw CLI::ValidationError("--fix", "takes a theme folder or a style sheet, not a package");
    }
    if (!folder) ExistingFile(given);
    // With --json the changes go to standard error, so that standard output
    // stays one JSON array.
    (json && !dry_run ? std::cerr : std::cout) << FixTheme(absolute, shown, dry_run);
    if (dry_run) return;
  }
  Findings findings;
  CheckAnyTheme(path, findings);
  std::cout << (json ? FindingsJson(findings) : FindingsText(findings));
  if (findings.Fail(strict)) throw QuietExit{1};
}

}  // namespace

void AddCheckCommand(CLI::App& app) {
  struct Options {
    std::string path;
    bool json = false;
    bool strict = false;
    bool fix = false;
    bool dry_run = false;
  };
  auto o = std::make_shared<Options>();
  CLI::App* cmd = app.add_subcommand(
      "check",
      "Find the mistakes in a theme: a source folder, a package, an installed theme or a sheet");
  cmd->add_option("PATH", o->path,
                  "theme folder, package (.elm), installed theme folder or style sheet (.css)")
      ->required();
  cmd->add_flag("--json", o->json, "print the findings as a JSON array");
  cmd->add_flag("--strict", o->strict, "fail on warnings too");
  cmd->add_flag("--fix", o->fix,
                "first rewrite the sheets into the layout the parsers read (a backup of each)");
  cmd->add_flag("--dry-run", o->dry_run, "with --fix: print the changes as a diff, write nothing")
      ->needs("--fix");
  cmd->callback([o] { RunCheck(o->path, o->json, o->strict, o->fix, o->dry_run); });
}

}  // namespace rxTheme::cli
