// rxtheme pack SOURCE_DIR -o PACKAGE [--version TEXT] [--keep-line-ends]
//
// Writes a theme package from a folder. Every regular file of the folder is a
// piece, in name order (byte order of the names), except the theme's
// information file ("*.inf") and "version.txt". The version text is --version,
// else the first line of version.txt, else "1.0". Style sheets ("*.css") get
// CR LF line ends unless --keep-line-ends. Names with "," or a line break,
// and headers beyond 4096 bytes, cannot be packed (error 5). Prints one line
// saying what it wrote.
#pragma once

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

namespace rxTheme::cli {

struct Package {
  std::string bytes;
  size_t pieces = 0;
};

// Failures name the folder or the file they concern.
Package BuildPackage(const std::string& source_dir, const std::optional<std::string>& version,
                     bool keep_line_ends);

void AddPackCommand(CLI::App& app);

}  // namespace rxTheme::cli
