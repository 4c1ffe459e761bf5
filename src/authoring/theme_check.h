// The checks of a theme as a whole: its pieces' names and roles, its style
// sheets (sheet_check.h), the sheets it lacks, and the pictures that the
// sheets name against the pieces it holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/authoring/findings.h>
#include "authoring/check_support.h"

namespace rxTheme {

struct PieceToCheck {
  WString name;  // the piece's name (a package's entry name, or a file name)
  WString file;  // how findings about a style sheet's lines name it
  // Findings about the piece itself point at its entry line in the package
  // header, or at the file in a folder (line 0).
  WString entry_file;
  size_t line = 0;
  std::string sheet;                      // a style sheet's bytes, as the loader gets them
  const std::string* sheet_of = nullptr;  // or the caller's, which outlive the check
  std::string_view Sheet() const { return sheet_of != nullptr ? *sheet_of : sheet; }
};

struct ThemeToCheck {
  WString where;                     // the folder or package, for findings about the whole theme
  bool package = false;              // the pieces are in a package (strays were packed)
  std::vector<PieceToCheck> pieces;  // in package order
  // Pieces from this one on are unpacked empty (an earlier piece is broken):
  // they are not checked.
  size_t readable = static_cast<size_t>(-1);
};

void CheckTheme(const ThemeToCheck& theme, Findings& findings);

// Why a file does not belong in a package ("hidden file", "editor backup",
// "theme package"), or null for one that does.
const char* StrayKind(std::string_view name);

}  // namespace rxTheme
