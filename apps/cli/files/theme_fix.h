// `rxtheme check --fix`: rewrites the style sheets of a theme folder (or a
// single sheet) into the layout the parsers read (sheet_fix.h), and gives
// the pictures the lower-case names under which they are unpacked.
#pragma once

#include <string>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

// Fixes the sheets of the folder or the sheet at `path` (absolute), named
// `shown` in what it prints. Each changed sheet is first copied to
// NAME.bak (NAME.1.bak, ... when that exists); a picture whose name is not
// lower case is renamed unless the lower-case name is taken. With
// `dry_run`, nothing is written: the changes are printed as a diff. Returns
// what to print: one line per change, "FILE:LINE: fixed: ...".
std::string FixTheme(const WString& path, const WString& shown, bool dry_run);

}  // namespace rxTheme::cli
