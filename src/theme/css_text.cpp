#include "theme/css_text.h"

#include <array>
#include <vector>

namespace rxTheme {
namespace {

bool IsUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHex(char16_t c) {
  return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The text in lower case if it is ASCII letters, digits and "-" only.
std::optional<std::string> AsciiWord(std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  std::string word;
  for (char16_t c : text) {
    const char16_t lower = IsUpper(c) ? static_cast<char16_t>(c + 32) : c;
    if (!((lower >= u'a' && lower <= u'z') || IsDigit(lower) || lower == u'-')) return std::nullopt;
    word.push_back(static_cast<char>(lower));
  }
  return word;
}

void AppendHexEscape(std::string& out, char32_t code_point) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buffer[8];
  int n = 0;
  do {
    buffer[n++] = kDigits[code_point & 0xF];
    code_point >>= 4;
  } while (code_point != 0);
  out.push_back('\\');
  while (n > 0) out.push_back(buffer[--n]);
  out.push_back(' ');  // ends the escape whatever follows
}

constexpr std::array<std::u16string_view, 13> kGenericFamilies = {
    u"serif",     u"sans-serif", u"monospace",     u"cursive",      u"fantasy",
    u"system-ui", u"ui-serif",   u"ui-sans-serif", u"ui-monospace", u"ui-rounded",
    u"math",      u"emoji",      u"fangsong"};

// Splits at commas outside quotes; a quote left open runs to the end.
std::vector<std::u16string_view> SplitFamilies(std::u16string_view value) {
  std::vector<std::u16string_view> items;
  size_t start = 0;
  char16_t quote = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    const char16_t c = value[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u',') {
      items.push_back(value.substr(start, i - start));
      start = i + 1;
    }
  }
  items.push_back(value.substr(start));
  return items;
}

}  // namespace

std::string KebabCase(std::u16string_view name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    const bool starts_word =
        i > 0 && ((IsUpper(c) && !IsUpper(name[i - 1])) || (IsDigit(c) && !IsDigit(name[i - 1])));
    if (starts_word) out.push_back('-');
    out.push_back(static_cast<char>(IsUpper(c) ? c + 32 : c));
  }
  return out;
}

std::string CssQuoted(std::u16string_view text) {
  std::string out = "\"";
  for (char16_t c : text) {
    const bool plain = c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\' && c != u'<' && c != u'>' &&
                       c != u'&' && c != u'{' && c != u'}' && c != u';' && c != u'*';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else if (c == 0) {
      AppendHexEscape(out, 0xFFFD);  // CSS reads an escaped NUL as U+FFFD anyway
    } else {
      AppendHexEscape(out, c);
    }
  }
  out.push_back('"');
  return out;
}

std::optional<std::string> CssColorText(std::u16string_view value) {
  value = Trim(value);
  if (value.size() != 7 || value[0] != u'#') return std::nullopt;
  std::string out = "#";
  for (size_t i = 1; i < 7; ++i) {
    if (!IsHex(value[i])) return std::nullopt;
    const char16_t c = value[i];
    out.push_back(static_cast<char>(c >= u'a' ? c - 32 : c));
  }
  return out;
}

std::string CssPictureUrl(std::u16string_view name, std::string_view prefix) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string url(prefix);
  std::string utf8 = ToUtf8(name);
  for (unsigned char byte : utf8) {
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                       byte == '~';
    if (plain) {
      url.push_back(static_cast<char>(byte));
    } else {
      url.push_back('%');
      url.push_back(kDigits[byte >> 4]);
      url.push_back(kDigits[byte & 0xF]);
    }
  }
  return "url(" + CssQuoted(FromUtf8(url)) + ")";
}

std::optional<std::string> CssFontFamily(std::u16string_view value) {
  std::string out;
  for (std::u16string_view item : SplitFamilies(value)) {
    item = Trim(item);
    if (item.empty()) continue;
    std::u16string_view name = item;
    const bool quoted =
        item.size() >= 2 && (item[0] == u'"' || item[0] == u'\'') && item.back() == item[0];
    if (quoted) {
      name = Trim(item.substr(1, item.size() - 2));
      if (name.empty()) continue;
    }
    if (!out.empty()) out += ", ";
    const std::optional<std::string> word = AsciiWord(name);
    bool generic = false;
    if (word && !quoted) {
      for (std::u16string_view family : kGenericFamilies) generic |= Widen(*word) == family;
    }
    out += generic ? *word : CssQuoted(name);
  }
  if (out.empty()) return std::nullopt;
  return out;
}

std::optional<std::string> CssKeyword(std::u16string_view property, std::u16string_view value) {
  static constexpr std::array<std::u16string_view, 4> kWeights = {u"normal", u"bold", u"bolder",
                                                                  u"lighter"};
  static constexpr std::array<std::u16string_view, 6> kTextAligns = {
      u"left", u"right", u"center", u"justify", u"start", u"end"};
  static constexpr std::array<std::u16string_view, 8> kVerticalAligns = {
      u"baseline", u"sub", u"super", u"text-top", u"text-bottom", u"middle", u"top", u"bottom"};
  const std::optional<std::string> word = AsciiWord(Trim(value));
  if (!word) return std::nullopt;
  const WString wide = Widen(*word);
  auto listed = [&](const auto& keywords) {
    for (std::u16string_view keyword : keywords) {
      if (wide == keyword) return true;
    }
    return false;
  };
  if (property == u"FontWeight") {
    if (listed(kWeights)) return word;
    if (word->size() <= 4 && word->find_first_not_of("0123456789") == std::string::npos) {
      const int number = std::stoi(*word);
      if (number >= 1 && number <= 1000) return std::to_string(number);
    }
    return std::nullopt;
  }
  if (property == u"TextAlign" && listed(kTextAligns)) return word;
  if (property == u"VerticalAlign" && listed(kVerticalAligns)) return word;
  return std::nullopt;
}

}  // namespace rxTheme
