// Pieces of the style-sheet parsers that the sections share: style tag lines,
// class selector names, and declarations matched against a property table.
#pragma once

#include <array>
#include <cstddef>

#include "runtime/wstring.h"
#include "settings/property_info.h"

namespace rxTheme {

// True for a line that holds "<style>" or "</style>" anywhere, in any case.
bool IsStyleTagLine(std::u16string_view line);

// The name that a class selector line selects: the line trimmed of spaces,
// less a leading "a:", then ".mstheme", then "a:", then "-" (each tested once,
// in that order, case-sensitively); "Base" when nothing is left.
WString ClassSelectorName(std::u16string_view line);

// The value that `reader` takes from a declaration line.
WString ReadDeclarationValue(ValueReader reader, const WString& line);

inline constexpr size_t kNoDeclaration = static_cast<size_t>(-1);

// The position of the first row whose prefix starts the line (letter case
// ignored, the line not trimmed), or kNoDeclaration.
template <size_t N>
size_t MatchDeclaration(std::u16string_view line, const std::array<PropertyInfo, N>& table) {
  for (size_t i = 0; i < N; ++i) {
    if (StartsWithNoCase(line, table[i].prefix)) return i;
  }
  return kNoDeclaration;
}

}  // namespace rxTheme
