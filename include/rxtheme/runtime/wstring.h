// Wide strings of 16-bit units, and the small text helpers that the whole
// component shares.
//
// Theme files are 8-bit text: one byte becomes one unit with the same value,
// and a unit goes back to the byte of its low 8 bits. Nothing else converts
// character sets.
#pragma once

#include <rxtheme/export.h>

#include <string>
#include <string_view>

namespace rxTheme {

// Text of 16-bit units. An unset string and the empty string are the same value.
using WString = std::u16string;

// Byte value = unit value.
RXTHEME_API WString Widen(std::string_view bytes);
// Unit value = byte value; units above 255 keep their low 8 bits.
RXTHEME_API std::string Narrow(std::u16string_view units);

// Lower-cases A-Z and the single-byte code page's capitals (U+00C0-U+00DE
// except U+00D7); every other unit is kept.
RXTHEME_API WString LCase(std::u16string_view text);
inline char16_t LCaseUnit(char16_t unit) {
  if (unit >= u'A' && unit <= u'Z') return static_cast<char16_t>(unit + 32);
  if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return static_cast<char16_t>(unit + 32);
  return unit;
}

// Removes leading and trailing spaces (unit 32 only; tabs stay).
RXTHEME_API WString TrimSpaces(std::u16string_view text);

// Case-insensitive (in the sense of LCase) tests.
RXTHEME_API bool ContainsNoCase(std::u16string_view text, std::u16string_view what);
RXTHEME_API bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix);
inline bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LCaseUnit(a[i]) != LCaseUnit(b[i])) return false;
  }
  return true;
}

// UTF-8 for people and logs: each unit is taken as the code point of the same
// value; lone surrogates become U+FFFD. Not used for theme files.
RXTHEME_API std::string ToUtf8(std::u16string_view units);
// Appends one code point (at most U+10FFFF) as UTF-8.
RXTHEME_API void AppendUtf8(std::string& out, char32_t code_point);
// UTF-8 to units (code points above U+FFFF become surrogate pairs).
RXTHEME_API WString FromUtf8(std::string_view utf8);

}  // namespace rxTheme
