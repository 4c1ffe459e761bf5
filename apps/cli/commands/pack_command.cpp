// rxtheme pack SOURCE_DIR -o PACKAGE [--version TEXT] [--keep-line-ends] [--force]
//
// Writes a theme package from a folder; authoring/theme_source.h says which
// files become pieces and which are left out. The version text is --version,
// else the first line of version.txt, else "1.0". Style sheets get CR LF line
// ends unless --keep-line-ends.
//
// The folder is checked first, as `rxtheme check` checks it: the findings go
// to standard error, and errors stop the pack unless --force (a refusal,
// command_error.h, that names the check to run). Names with "," or a line
// break, a version with a line break, and headers beyond 4096 bytes cannot
// be packed at all (error 5); the header is known from the files' sizes
// before any picture is read. The package is then written a piece at a time
// (files/theme_pack.h). Prints one line: the pieces, the bytes and the
// package written.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <rxtheme/authoring/findings.h>
#include "authoring/theme_source.h"
#include "command_error.h"
#include "commands/commands.h"
#include "files/command_files.h"
#include "files/folder_package.h"
#include "files/theme_pack.h"
#include "print/findings_text.h"
#include "print/printable.h"

namespace rxTheme::cli {
namespace {

struct PackOptions {
  std::string source;
  std::string output;
  std::optional<std::string> version;
  bool keep_line_ends = false;
  bool force = false;
};

void RunPack(const PackOptions& o) {
  const WString output_path = Absolute(o.output);
  ThemeSource source = ListSourceFolder(o.source, output_path);
  const std::string version = VersionText(source, o.version);
  CheckPackable(source, version);
  ReadSheets(source, o.keep_line_ends);
  // The sheets' sizes changed with their line ends.
  CheckPackable(source, version);

  Findings findings;
  CheckThemeSource(source, version, findings);
  std::cerr << FindingLines(findings);
  if (const size_t errors = findings.Count(Severity::kError); errors > 0 && !o.force) {
    throw Refusal{"pack", std::to_string(errors) + (errors == 1 ? " error in " : " errors in ") +
                              "theme folder " + ToUtf8(source.shown) +
                              "; nothing written (run rxtheme check " + ShellWord(o.source) +
                              "; --force writes it anyway)"};
  }

  const int64_t bytes = WritePackage(source, version, output_path);
  const size_t n = source.pieces.size();
  std::cout << "Packed " << n << (n == 1 ? " piece (" : " pieces (") << bytes << " bytes) into "
            << Printable(DisplayPath(output_path)) << "\n";
}

}  // namespace

void AddPackCommand(CLI::App& app) {
  auto o = std::make_shared<PackOptions>();
  CLI::App* cmd = app.add_subcommand("pack", "Check a theme folder and write its package");
  cmd->add_option("SOURCE_DIR", o->source, "folder of the theme's files")->required();
  cmd->add_option("-o,--output", o->output, "package to write (.elm)")->required();
  cmd->add_option("--version", o->version,
                  "version text (default: first line of version.txt, else 1.0)");
  cmd->add_flag("--keep-line-ends", o->keep_line_ends, "write style sheets as they are");
  cmd->add_flag("--force", o->force, "write the package even when the check finds errors");
  cmd->callback([o] { RunPack(*o); });
}

}  // namespace rxTheme::cli
