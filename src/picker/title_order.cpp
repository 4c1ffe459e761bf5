#include <rxtheme/picker/title_order.h>

#include <utility>

namespace rxTheme {
namespace {

// The base letters of U+00C0..U+00FF and U+0100..U+017F, upper case where
// the character is upper case; '*' for a character taken apart below
// (ligatures, the sharp s and the thorn), '-' for a symbol (× and ÷).
constexpr std::u16string_view kLatin1 =
    u"AAAAAA*CEEEEIIIIDNOOOOO-OUUUUY**aaaaaa*ceeeeiiiidnooooo-ouuuuy*y";
constexpr std::u16string_view kLatinExtendedA =
    u"AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo**"
    u"RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

bool IsIgnorable(char16_t c) {
  if (c < 0x80) {
    return !((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
  }
  // Latin-1 punctuation and signs (but for ª, µ and º), general punctuation,
  // currency, letter-like and other symbols, the CJK punctuation, combining
  // marks and the specials.
  if (c <= 0xBF) return c != 0xAA && c != 0xB5 && c != 0xBA;
  if (c == 0xD7 || c == 0xF7) return true;
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x2000 && c <= 0x2BFF) ||
         (c >= 0x3000 && c <= 0x303F) || (c >= 0xFFF0);
}

class KeyBuilder {
 public:
  void Letter(char16_t base, char16_t accent, bool upper) {
    key_.letters += base;
    key_.accents += accent;
    key_.cases += static_cast<char>(upper ? 1 : 0);
  }
  // A letter given as a base letter from a table (upper case or lower case)
  // and its accent (the code of its lower-case form, so that case decides
  // only in the last round).
  void Folded(char16_t base, char16_t accent) {
    const bool upper = base >= u'A' && base <= u'Z';
    Letter(upper ? static_cast<char16_t>(base | 0x20) : base, accent, upper);
  }
  // A character written as two letters: both carry its accent and case.
  void Pair(std::u16string_view bases, char16_t accent, bool upper) {
    for (char16_t base : bases) Letter(base, accent, upper);
  }
  TitleKey Take() { return std::move(key_); }

 private:
  TitleKey key_;
};

void AddUnit(KeyBuilder& key, char16_t c) {
  if (IsIgnorable(c)) return;
  if (c < 0x80) {
    const bool upper = c >= u'A' && c <= u'Z';
    key.Letter(upper ? static_cast<char16_t>(c | 0x20) : c, 0, upper);
    return;
  }
  switch (c) {
    case 0xC6:
      return key.Pair(u"ae", 0xE6, true);  // Æ
    case 0xE6:
      return key.Pair(u"ae", 0xE6, false);
    case 0xDF:
      return key.Pair(u"ss", 0xDF, false);  // ß
    case 0x132:
      return key.Pair(u"ij", 0x133, true);  // Ĳ
    case 0x133:
      return key.Pair(u"ij", 0x133, false);
    case 0x152:
      return key.Pair(u"oe", 0x153, true);  // Œ
    case 0x153:
      return key.Pair(u"oe", 0x153, false);
    case 0xDE:
      return key.Letter(0xFE, 0, true);  // Þ: a letter of its own, after z
    case 0xFE:
      return key.Letter(0xFE, 0, false);
    case 0x192:
      return key.Letter(u'f', c, false);  // ƒ
  }
  // In both tables an upper-case letter's lower-case form is 0x20 further in
  // Latin-1 and the next character in Latin Extended-A.
  if (c >= 0xC0 && c <= 0xFF) return key.Folded(kLatin1[c - 0xC0], c | 0x20);
  if (c >= 0x100 && c <= 0x17F) {
    const char16_t base = kLatinExtendedA[c - 0x100];
    return key.Folded(base, base >= u'A' && base <= u'Z' ? c + 1 : c);
  }
  key.Letter(c, 0, false);  // another script's letter, or ª, µ, º: as it is
}

}  // namespace

TitleKey TitleKeyOf(std::u16string_view title) {
  KeyBuilder key;
  for (char16_t c : title) AddUnit(key, c);
  return key.Take();
}

int CollateTitles(std::u16string_view a, std::u16string_view b) {
  const auto order = TitleKeyOf(a) <=> TitleKeyOf(b);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace rxTheme
