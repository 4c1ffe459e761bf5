// rxtheme pack SOURCE_DIR -o PACKAGE [--version TEXT] [--keep-line-ends] [--force]
//
// Writes a theme package from a folder; theme_source.h says which files
// become pieces and which are left out. The version text is --version, else
// the first line of version.txt, else "1.0". Style sheets get CR LF line ends
// unless --keep-line-ends.
//
// The folder is checked first, as `rxtheme check` checks it: the findings go
// to standard error, and errors stop the pack unless --force (a refusal,
// command_line.h, that names the check to run). Names
// with "," or a line break, a version with a line break, and headers beyond
// 4096 bytes cannot be packed at all (error 5); the header is known from the
// files' sizes before any picture is read. The package is then written a
// piece at a time through a whole-file writer, so that memory stays small
// and an interrupted pack leaves the old package as it was. Prints one line:
// the pieces, the bytes and the package written.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>
#include "authoring/theme_source.h"

namespace rxTheme::cli {

// Writes the package of a listed folder whose sheets are read (ReadSheets)
// with the package writer (package_writer.h): the header with `version`,
// then each piece, the pictures copied a block at a time. The file is
// replaced only once it is whole. Returns the bytes written.
int64_t WritePackage(const ThemeSource& source, const std::string& version,
                     const WString& output_path);

void AddPackCommand(CLI::App& app);

}  // namespace rxTheme::cli
