// A unified diff of two texts, line by line, for `check --fix --dry-run`.
#pragma once

#include <string>
#include <string_view>

namespace rxTheme::cli {

// "--- old_name", "+++ new_name", then hunks with three lines of context.
// Lines end at LF, CR LF or CR; the line ends themselves are not compared.
// Empty when the lines are the same.
std::string UnifiedDiff(std::string_view old_name, std::string_view new_name,
                        std::string_view old_text, std::string_view new_text);

}  // namespace rxTheme::cli
