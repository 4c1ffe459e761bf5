// The order in which the theme list shows its titles: as a person reads them.
//
// Titles are compared in three rounds, each deciding only when the one
// before found the titles level:
//   1. the letters and digits, each letter folded to its base letter without
//      its accent and its case ("É" is "e", "ß" is "ss", "Æ" is "ae");
//      punctuation, symbols and spaces are passed over, so a title in
//      quotation marks sorts by its words; digits come before letters and
//      Latin letters before the letters of other scripts;
//   2. the accents, letter by letter: a plain letter before an accented one
//      ("Emeraude" before "Émeraude"), accents among themselves by their
//      character's code;
//   3. the letter case, letter by letter: lower case before upper case.
// Titles level in all three rounds are equal; the list then keeps them in
// the order in which they were added.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <rxtheme/export.h>

namespace rxTheme {

// The three rounds of a title, to compare titles without folding them again.
struct TitleKey {
  std::u16string letters;
  std::u16string accents;  // 0 for a plain letter, one unit per letter
  std::string cases;       // 0 lower (or no case), 1 upper, one per letter
  auto operator<=>(const TitleKey&) const = default;
};

RXTHEME_API TitleKey TitleKeyOf(std::u16string_view title);

// Below 0 when `a` sorts before `b`, 0 when they are level, above 0 after.
RXTHEME_API int CollateTitles(std::u16string_view a, std::u16string_view b);

}  // namespace rxTheme
