// The style-sheet text functions shared by the three section parsers, and the
// number reader shared with the theme loader. A theme's style sheets are read
// one byte per unit, with CR LF line ends, tab indentation, one declaration
// per line, colors as rgb(r,g,b) and pictures as url(...).
#pragma once

#include <string_view>

#include "runtime/variant.h"
#include "runtime/wstring.h"

namespace rxTheme {

// Removes the first line from `text` and returns it. A line ends at the first
// CR LF (dropped); text without CR LF is one line and leaves `text` empty.
// Leading tabs of the line are dropped; spaces and trailing characters stay.
WString NextLine(WString& text);

// The rgb(r,g,b) color of a declaration line as "#RRGGBB" (upper-case hex,
// each component rounded half to even and cut to its last two hex digits, so
// 300 gives 2C and -5 gives FB). "" when the line holds no "rgb" (any case);
// "#000000" when the parentheses or the two commas are missing, a comma lies
// beyond position 32767, or a component is outside the 32-bit range. Never
// raises.
WString CssColor(const WString& line);

// The text between the first "(" of the line (the line's start when it has
// none) and the next ")", quotes and spaces kept. "" when the line holds no
// "url" (any case). Raises 5 when no ")" follows.
WString CssUrl(const WString& line);

// The text after the first ":" of the line (the whole line when it has none),
// trimmed of spaces, less one trailing ";". A string variant. Never raises.
Variant CssValue(const WString& line);

// The number at the start of a text: leading spaces (unit 32) skipped, an
// optional sign, decimal digits, an optional "." fraction and an optional
// exponent ("e" or "E", optional sign, at least one digit; without a digit the
// "e" is not part of the number). Reading stops at the first unit that cannot
// continue the number; no digits at all give 0. A magnitude beyond the double
// range gives plus or minus infinity, one too small gives 0. Locale-independent.
double LeadingNumber(std::u16string_view text);

}  // namespace rxTheme
