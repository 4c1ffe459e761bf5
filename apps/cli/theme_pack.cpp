#include "theme_pack.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <rxtheme/authoring/findings.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/package_writer.h>
#include "authoring/theme_source.h"
#include "command_error.h"
#include "command_files.h"
#include "command_line.h"
#include "findings_text.h"
#include "folder_package.h"
#include "input_file.h"
#include "printable.h"

namespace rxTheme::cli {
namespace {

// Pictures are copied in pieces of this size.
constexpr size_t kCopyChunk = 1 << 20;

struct PackOptions {
  std::string source;
  std::string output;
  std::optional<std::string> version;
  bool keep_line_ends = false;
  bool force = false;
};

// Appends the file's bytes, which must still be the `size` listed.
void CopyPiece(const WString& path, int64_t size, PackageWriter& output, std::string& buffer) {
  InputFile in(path, false);
  int64_t left = size;
  while (left > 0) {
    const size_t got = in.Read(buffer.data(), std::min<int64_t>(left, buffer.size()));
    if (got == 0) break;
    output.Append(std::string_view(buffer.data(), got));
    left -= static_cast<int64_t>(got);
  }
  if (left != 0 || in.Size() != size) {
    RaiseAbout(kPathFileAccessError, u"changed while it was packed: " + DisplayPath(path));
  }
}

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

int64_t WritePackage(const ThemeSource& source, const std::string& version,
                     const WString& output_path) {
  OutputFile output(output_path);
  PackageWriter writer(version, ListedPieces(source),
                       [&](std::string_view bytes) { output.Append(bytes); });
  std::string buffer(kCopyChunk, '\0');
  for (const SourcePiece& piece : source.pieces) {
    writer.StartPiece();
    if (piece.sheet) {
      writer.Append(piece.text);
    } else {
      CopyPiece(SourcePath(source, piece.name), piece.size, writer, buffer);
    }
  }
  const int64_t bytes = writer.Finish();
  output.Commit();
  return bytes;
}

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
