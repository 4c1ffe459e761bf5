// `rxtheme bag dump`: the entries of saved bag contents, for people (an
// indented tree) or for programs (JSON).
#pragma once

#include <string>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

// The entries of `contents`, nested objects and fonts decoded down to the
// bag's nesting limit (deeper values are shown as their stored text).
// Malformed contents raise 999.
std::string DumpText(const WString& contents);
std::string DumpJson(const WString& contents);

}  // namespace rxTheme::cli
