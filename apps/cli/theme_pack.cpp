#include "theme_pack.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "command_error.h"
#include "command_files.h"
#include "command_line.h"
#include "findings.h"
#include "folder_package.h"
#include "input_file.h"
#include "printable.h"
#include "theme/package_format.h"
#include "theme_source.h"

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
void CopyPiece(const WString& path, int64_t size, OutputFile& output, std::string& buffer) {
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
  ThemeSource source = ListThemeSource(o.source, output_path);
  const WString subject = FolderSubject(u"theme folder", source.folder);
  const std::string version = VersionText(source, o.version);
  About(subject, [&] { CheckPackable(source, version); });
  ReadSheets(source, o.keep_line_ends);
  const std::string header = HeaderText(source, version);
  About(subject, [&] { CheckHeaderSize(header); });

  Findings findings;
  CheckThemeSource(source, header, findings);
  std::cerr << findings.Lines();
  if (const size_t errors = findings.Count(Severity::kError); errors > 0 && !o.force) {
    throw Refusal{"pack", std::to_string(errors) + (errors == 1 ? " error in " : " errors in ") +
                              "theme folder " + ToUtf8(source.shown) +
                              "; nothing written (run rxtheme check " + ShellWord(o.source) +
                              "; --force writes it anyway)"};
  }

  const int64_t bytes = WritePackage(source, header, output_path);
  const size_t n = source.pieces.size();
  std::cout << "Packed " << n << (n == 1 ? " piece (" : " pieces (") << bytes << " bytes) into "
            << Printable(DisplayPath(output_path)) << "\n";
}

}  // namespace

int64_t WritePackage(const ThemeSource& source, std::string_view header,
                     const WString& output_path) {
  OutputFile output(output_path);
  output.Append(header);
  int64_t bytes = static_cast<int64_t>(header.size());
  std::string buffer(kCopyChunk, '\0');
  for (const SourcePiece& piece : source.pieces) {
    output.Append(kPieceMarker);
    if (piece.sheet) {
      output.Append(piece.text);
    } else {
      CopyPiece(SourcePath(source, piece.name), piece.size, output, buffer);
    }
    bytes += static_cast<int64_t>(kPieceMarker.size()) + piece.size;
  }
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
