// A declaration's value as ordinary CSS reads it, beside what the theme's
// parsers store from the same line: what `check` compares, and what
// `check --fix` writes back in the parsers' form.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// The value after the first ":" of a declaration line as CSS reads it: up to
// the first ";" outside quotes, without comments and "!important", trimmed
// of spaces and tabs.
WString CssTextValue(std::u16string_view line);

// What a text value keeps beyond what CSS reads ("a comment", "the second
// \";\""...), for messages; empty when it keeps nothing more.
std::vector<WString> KeptExtras(std::u16string_view stored);

// One part between the commas of an rgb() as the reader takes it and as CSS
// takes it.
struct RgbPart {
  WString text;                // as written, between the commas
  int64_t read = 0;            // what the reader takes (before it cuts to a byte)
  std::optional<int64_t> css;  // what CSS takes (before clamping); none when not a number
  bool percent = false;        // written as a percentage
  bool tab = false;            // a tab stands before the number
};

// An rgb() color read both ways: the parts between its parentheses (the
// first "(" of the line to the next ")"), the reader's three components and
// CSS's. Empty when the line holds no "rgb" or the reader finds it malformed.
struct RgbReading {
  std::vector<RgbPart> parts;  // every part, the extra ones included
  // The reasons the reader takes the color otherwise than CSS, for messages
  // ("10% is read as 10"); empty when both read the same numbers.
  std::vector<WString> differences;
  // Whether rewriting the parts as plain numbers gives the CSS color: only
  // percentages and tabs differ.
  bool fixable = false;
  // The color as CSS reads it, as rgb(r, g, b) with numbers 0-255, when CSS
  // can read it.
  std::optional<std::array<int64_t, 3>> css;
};
std::optional<RgbReading> ReadRgbBothWays(std::u16string_view line);

}  // namespace rxTheme
