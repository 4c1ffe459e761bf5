#include "files/theme_pack.h"

#include <algorithm>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/package_writer.h>
#include "authoring/theme_source.h"
#include "command_error.h"
#include "files/command_files.h"
#include "files/folder_package.h"
#include "files/input_file.h"

namespace rxTheme::cli {
namespace {

// Pictures are copied in pieces of this size.
constexpr size_t kCopyChunk = 1 << 20;

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

}  // namespace rxTheme::cli
