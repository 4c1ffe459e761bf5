#include "sections/theme_support.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "runtime/number_text.h"

namespace rxTheme {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Two upper-case hex digits: the low byte of the 32-bit two's complement.
void AppendHexPair(WString& out, int64_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  const auto byte = static_cast<uint32_t>(value) & 0xFFu;
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xFu];
}

constexpr size_t kMaxPosition = 32767;  // positions are 16-bit integers

// LCase(unit) == c for a lower-case ASCII c: only the ASCII capital of a
// letter lower-cases to it.
bool IsNoCase(char16_t unit, char16_t c) {
  return unit == c || (c >= u'a' && c <= u'z' && unit == c - (u'a' - u'A'));
}

}  // namespace

bool EqualsWordNoCase(std::u16string_view text, std::u16string_view word) {
  if (text.size() != word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (!IsNoCase(text[i], word[i])) return false;
  }
  return true;
}

bool ContainsWordNoCase(std::u16string_view text, std::u16string_view word) {
  if (word.empty()) return true;
  for (size_t i = 0; i + word.size() <= text.size(); ++i) {
    if (IsNoCase(text[i], word[0]) && EqualsWordNoCase(text.substr(i, word.size()), word))
      return true;
  }
  return false;
}

std::u16string_view ReadLine(std::u16string_view text, size_t& pos) {
  const size_t end = text.find(u"\r\n", pos);
  std::u16string_view line = text.substr(pos, end == std::u16string_view::npos ? end : end - pos);
  pos = end == std::u16string_view::npos ? text.size() : end + 2;
  const size_t first = line.find_first_not_of(u'\t');
  line.remove_prefix(first == std::u16string_view::npos ? line.size() : first);
  return line;
}

WString NextLine(WString& text) {
  size_t pos = 0;
  WString line(ReadLine(text, pos));
  text.erase(0, pos);
  return line;
}

double LeadingNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

  // Collect the number as ASCII for from_chars, and its decimal magnitude for
  // the out-of-range case: the power of ten of its first significant digit.
  std::string digits;
  int64_t magnitude = 0;
  bool significant = false;
  bool any_digit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    any_digit = true;
    significant = significant || text[i] != u'0';
    if (significant) ++magnitude;
    digits += static_cast<char>(text[i]);
  }
  if (i < text.size() && text[i] == u'.') {
    digits += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i) {
      any_digit = true;
      if (!significant && text[i] == u'0') --magnitude;
      significant = significant || text[i] != u'0';
      digits += static_cast<char>(text[i]);
    }
  }
  if (!any_digit) return 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    size_t j = i + 1;
    bool exponent_negative = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
      exponent_negative = text[j++] == u'-';
    if (j < text.size() && IsDigit(text[j])) {
      digits += 'e';
      if (exponent_negative) digits += '-';
      int64_t exponent = 0;
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        digits += static_cast<char>(text[j]);
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - u'0');
      }
      magnitude += exponent_negative ? -exponent : exponent;
    }
  }
  if (!significant) return 0;

  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

RgbComponents ReadRgb(std::u16string_view line) {
  if (!ContainsWordNoCase(line, u"rgb")) return {};
  const RgbComponents malformed{RgbComponents::kMalformed};

  const size_t open = line.find(u'(');
  std::u16string_view t = open == std::u16string_view::npos ? line : line.substr(open + 1);
  const size_t close = t.find(u')');
  if (close == std::u16string_view::npos) return malformed;
  t = t.substr(0, close);

  const size_t p1 = t.find(u',');
  if (p1 == std::u16string_view::npos || p1 + 1 > kMaxPosition) return malformed;
  const size_t p2 = t.find(u',', p1 + 1);
  if (p2 == std::u16string_view::npos || p2 + 1 > kMaxPosition) return malformed;

  const double components[] = {LeadingNumber(t.substr(0, p1)),
                               LeadingNumber(t.substr(p1 + 1, p2 - p1)),
                               LeadingNumber(t.substr(p2 + 1))};
  RgbComponents result{RgbComponents::kRead};
  for (size_t i = 0; i < 3; ++i) {
    const double rounded = RoundHalfEven(components[i]);
    // The hex conversion takes a 32-bit integer; anything else fails.
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return malformed;
    result.values[i] = static_cast<int64_t>(rounded);
  }
  return result;
}

WString CssColor(std::u16string_view line) {
  const RgbComponents rgb = ReadRgb(line);
  if (rgb.status == RgbComponents::kNoRgb) return {};
  if (rgb.status == RgbComponents::kMalformed) return u"#000000";
  WString result = u"#";
  for (int64_t component : rgb.values) AppendHexPair(result, component);
  return result;
}

WString CssUrl(std::u16string_view line) { return WString(CssUrlText(line)); }

std::u16string_view CssUrlText(std::u16string_view line) {
  if (!ContainsWordNoCase(line, u"url")) return {};
  const size_t open = line.find(u'(');
  const size_t start = open == std::u16string_view::npos ? 0 : open + 1;
  const size_t close = line.find(u')', start);
  if (close == std::u16string_view::npos) {
    RaiseError(kInvalidProcedureCall, u"url( without a closing parenthesis");
  }
  return line.substr(start, close - start);
}

std::u16string_view CssValueText(std::u16string_view line) {
  const size_t colon = line.find(u':');
  std::u16string_view value = colon == std::u16string_view::npos ? line : line.substr(colon + 1);
  while (!value.empty() && value.front() == u' ') value.remove_prefix(1);
  while (!value.empty() && value.back() == u' ') value.remove_suffix(1);
  if (!value.empty() && value.back() == u';') value.remove_suffix(1);
  return value;
}

Variant CssValue(std::u16string_view line) { return Variant(WString(CssValueText(line))); }

}  // namespace rxTheme
