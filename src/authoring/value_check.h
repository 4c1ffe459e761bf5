// The checks of a declaration's value against what the parser stored from
// it: colors that are not read as written, and url(...) values that keep
// more than the name.
#pragma once

#include <optional>
#include <string_view>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

struct ValueFinding {
  const char* code;
  WString message;
};

// A color declaration (`line`, whose value the parser stored as `stored`):
// a color not written as rgb(), a malformed rgb(), numbers outside 0-255,
// and an rgb() that the reader takes otherwise than CSS (percentages, tabs,
// missing or extra parts, numbers in other forms).
std::optional<ValueFinding> CheckColorValue(std::u16string_view line, std::u16string_view stored);

// A plain text value (`line`, whose value the parser stored as `stored`)
// that keeps more than CSS reads: a second ";", a comment, "!important",
// spaces or tabs around it, another declaration.
std::optional<ValueFinding> CheckTextValue(std::u16string_view line, std::u16string_view stored);

// A value read from url(...): `written` is the text after the colon,
// `stored` what the parser took from inside the parentheses. A value not
// written in url(...), and spaces or quotes kept around the name. `name`
// receives the name the author means (without them).
std::optional<ValueFinding> CheckUrlValue(std::u16string_view written, std::u16string_view stored,
                                          bool has_url, WString& name);

}  // namespace rxTheme
