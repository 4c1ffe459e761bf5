// A theme's source folder as `pack` packs it and `check` reads it: which
// files become pieces, in which order, with which bytes.
//
// Every regular file of the folder is a piece, in name order (byte order),
// except the theme's information file ("*.inf"), "version.txt", and what does
// not belong in a package: hidden files, editor backups ("*~", "*.bak",
// "#*#", ".#*", "*.swp"), packages ("*.elm"), the package being written,
// symbolic links (never followed), folders and anything else that is not a
// regular file. Style sheets ("*.css") get CR LF line ends unless their line
// ends are kept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/authoring/findings.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/package_writer.h>
#include "authoring/check_support.h"

namespace rxTheme {

struct SourcePiece {
  std::string name;    // the file name
  int64_t size = 0;    // its bytes in the package
  bool sheet = false;  // a style sheet: its bytes (as packed) are in `text`
  std::string text;
};

struct LeftOut {
  std::string name;
  const char* why;  // "hidden file"
};

struct ThemeSource {
  WString folder;  // absolute
  WString shown;   // as findings name it (the path as given)
  std::vector<SourcePiece> pieces;
  std::vector<LeftOut> left_out;
  std::vector<std::string> info_files;  // "*.inf"
};

// Lists `folder` (an existing folder's absolute path), named `shown` in
// findings. `output` is the absolute path of the package being written, or
// empty. A folder that cannot be listed raises 75 naming it.
ThemeSource ListThemeSource(const WString& folder, const WString& shown, const WString& output);

// Reads the style sheets (CR LF line ends unless `keep_line_ends`) and sets
// their sizes to what is packed. A sheet that cannot be read raises 53 or 75
// naming it.
void ReadSheets(ThemeSource& source, bool keep_line_ends);

// A style sheet's text with LF and lone CR made CR LF (CR LF stays), as pack
// packs it.
std::string CrLfLineEnds(std::string text);
// Whether every line of `text` already ends with CR LF (no LF or CR alone):
// CrLfLineEnds then gives it back as it is, without a copy.
bool CrLfOnly(std::string_view text);

// The absolute path of a file of the folder.
WString SourcePath(const ThemeSource& source, std::string_view name);

// The version line: `version` when given, else the first line of
// version.txt, else "1.0".
std::string VersionText(const ThemeSource& source, const std::optional<std::string>& version);

// The pieces as the package header lists them (package_writer.h).
std::vector<PackagePiece> ListedPieces(const ThemeSource& source);

// What check and pack find in the folder (after ReadSheets): a note for each
// file left out, the information file, a header (with `version`) that would
// not fit, names pack cannot write, and the theme's pieces (theme_check.h).
void CheckThemeSource(const ThemeSource& source, std::string_view version, Findings& findings);

}  // namespace rxTheme
