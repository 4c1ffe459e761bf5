// The style-sheet text functions shared by the three section parsers, and the
// number reader shared with the theme loader. A theme's style sheets are read
// one byte per unit, with CR LF line ends, tab indentation, one declaration
// per line, colors as rgb(r,g,b) and pictures as url(...).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// The line of `text` that starts at `pos`, and `pos` moved past it: a line
// ends at the first CR LF (skipped); without one it runs to the end of the
// text. Leading tabs of the line are dropped; spaces and trailing characters
// stay. Reading a whole text this way costs time in proportion to its length.
std::u16string_view ReadLine(std::u16string_view text, size_t& pos);

// Removes the first line (as ReadLine reads it) from `text`, its CR LF
// included, and returns it; text without CR LF is one line and leaves `text`
// empty.
WString NextLine(WString& text);

// The three components of a line's rgb(r,g,b) color, each rounded half to
// even, before CssColor cuts them to a byte. kNoRgb when the line holds no
// "rgb" (any case); kMalformed when the parentheses or the two commas are
// missing, a comma lies beyond position 32767, or a component is outside the
// 32-bit range.
struct RgbComponents {
  enum Status : uint8_t { kNoRgb, kMalformed, kRead } status = kNoRgb;
  std::array<int64_t, 3> values{};  // red, green, blue when kRead
};
RgbComponents ReadRgb(std::u16string_view line);

// The rgb(r,g,b) color of a declaration line as "#RRGGBB" (upper-case hex of
// the low byte of each component's 32-bit two's complement, so 300 gives 2C
// and -5 gives FB). "" for kNoRgb, "#000000" for kMalformed. Never raises.
WString CssColor(std::u16string_view line);

// The text between the first "(" of the line (the line's start when it has
// none) and the next ")", quotes and spaces kept. "" when the line holds no
// "url" (any case). Raises 5 when no ")" follows.
WString CssUrl(std::u16string_view line);
// CssUrl as a part of `line`.
std::u16string_view CssUrlText(std::u16string_view line);

// The text after the first ":" of the line (the whole line when it has none),
// trimmed of spaces, less one trailing ";" (so "bold ;" gives "bold "). A part
// of `line`.
std::u16string_view CssValueText(std::u16string_view line);
// CssValueText as a string variant. Never raises.
Variant CssValue(std::u16string_view line);

// Case-insensitive tests (in the sense of LCase) against `word`, which must
// be lower-case ASCII: the parsers' fast form of EqualsNoCase and
// ContainsNoCase for their fixed words and prefixes.
bool EqualsWordNoCase(std::u16string_view text, std::u16string_view word);
bool ContainsWordNoCase(std::u16string_view text, std::u16string_view word);

// The number at the start of a text: leading spaces (unit 32) skipped, an
// optional sign, decimal digits, an optional "." fraction and an optional
// exponent ("e" or "E", optional sign, at least one digit; without a digit the
// "e" is not part of the number). Reading stops at the first unit that cannot
// continue the number; no digits at all give 0. A magnitude beyond the double
// range gives plus or minus infinity, one too small gives 0. Locale-independent.
double LeadingNumber(std::u16string_view text);

}  // namespace rxTheme
