// Text between a C++ host, which speaks UTF-8, and a theme, which holds
// 16-bit units.
//
// A theme's files are 8-bit text, and a loaded theme holds their bytes one
// per unit. Theme authors today write those bytes as UTF-8 or in a
// single-byte code page, and nothing in a file says which. One rule decides,
// the same for every value, both ways:
//
//   theme to host: units that are all below 256 and, taken as bytes, form
//   well-formed UTF-8 are decoded as UTF-8 ("Caf\xC3\xA9" gives "Café");
//   any other text is taken unit by unit as code points, a byte of a
//   single-byte code page as the Latin-1 character of its value ("Caf\xE9"
//   also gives "Café"), a surrogate pair as its code point and a lone
//   surrogate as U+FFFD.
//
//   host to theme: the UTF-8 bytes, one per unit, which is what a theme file
//   holding that text holds. Reading them back gives the same text.
//
// Plain ASCII is the same either way. Picker titles from `.inf` files follow
// the same rule.
#pragma once

#include <string>
#include <string_view>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// Whether `bytes` is well-formed UTF-8: no overlong forms, no surrogates, no
// code point above U+10FFFF, no cut-off sequence.
RXTHEME_API bool IsWellFormedUtf8(std::string_view bytes);

// A theme's text for the host, by the rule above.
RXTHEME_API std::string ThemeTextToUtf8(std::u16string_view units);

// The host's UTF-8 text as a theme holds it: one unit per byte. Raises 5
// when `utf8` is not well-formed UTF-8.
RXTHEME_API WString ThemeTextFromUtf8(std::string_view utf8);

// A host's text (a path, a style name) for an error's description, whose
// units are characters: its characters when it is well-formed UTF-8, else
// its bytes one per unit.
RXTHEME_API WString HostTextForMessage(std::string_view text);

}  // namespace rxTheme
