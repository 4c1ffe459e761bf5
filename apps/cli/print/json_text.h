// JSON text for wide strings and variants, written by hand because the text
// of the component is 16-bit units, not UTF-8: each unit stands for the code
// point of the same value, a valid surrogate pair for its code point, and a
// lone surrogate is kept as a \uXXXX escape so that nothing is lost.
#pragma once

#include <string>
#include <string_view>

#include <rxtheme/runtime/variant.h>

namespace rxTheme::cli {

// A JSON string literal, quotes included.
std::string JsonString(std::u16string_view text);

// A plain value as JSON: null for Empty and Null, integers for the integer
// types, numbers for the real types and currency (120000 -> 12), true/false,
// reals (doubles, singles and dates) in the shortest form that reads back to
// the stored value, currency exactly,
// the exact decimal text as a string for decimals, strings as strings.
// Non-finite reals, which JSON cannot hold, become null.
std::string JsonScalar(const Variant& value);

}  // namespace rxTheme::cli
