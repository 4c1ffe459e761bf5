#include "sections/theme_support.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "runtime/automation_error.h"

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

}  // namespace

WString NextLine(WString& text) {
  WString line;
  const size_t end = text.find(u"\r\n");
  if (end == WString::npos) {
    line.swap(text);
  } else {
    line = text.substr(0, end);
    text.erase(0, end + 2);
  }
  const size_t first = line.find_first_not_of(u'\t');
  line.erase(0, first == WString::npos ? line.size() : first);
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

WString CssColor(const WString& line) {
  static const WString kFailed = u"#000000";
  if (!ContainsNoCase(line, u"rgb")) return {};

  const size_t open = line.find(u'(');
  WString t = open == WString::npos ? line : line.substr(open + 1);
  const size_t close = t.find(u')');
  if (close == WString::npos) return kFailed;
  t.resize(close);

  const size_t p1 = t.find(u',');
  if (p1 == WString::npos || p1 + 1 > kMaxPosition) return kFailed;
  const size_t p2 = t.find(u',', p1 + 1);
  if (p2 == WString::npos || p2 + 1 > kMaxPosition) return kFailed;

  const std::u16string_view view(t);
  const double components[] = {LeadingNumber(view.substr(0, p1)),
                               LeadingNumber(view.substr(p1 + 1, p2 - p1)),
                               LeadingNumber(view.substr(p2 + 1))};
  WString result = u"#";
  for (double component : components) {
    const double rounded = RoundHalfEven(component);
    // The hex conversion takes a 32-bit integer; anything else fails.
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return kFailed;
    AppendHexPair(result, static_cast<int64_t>(rounded));
  }
  return result;
}

WString CssUrl(const WString& line) {
  if (!ContainsNoCase(line, u"url")) return {};
  const size_t open = line.find(u'(');
  const size_t start = open == WString::npos ? 0 : open + 1;
  const size_t close = line.find(u')', start);
  if (close == WString::npos) {
    RaiseError(kInvalidProcedureCall, u"url( without a closing parenthesis");
  }
  return line.substr(start, close - start);
}

Variant CssValue(const WString& line) {
  const size_t colon = line.find(u':');
  WString value = TrimSpaces(colon == WString::npos ? std::u16string_view(line)
                                                    : std::u16string_view(line).substr(colon + 1));
  if (!value.empty() && value.back() == u';') value.pop_back();
  return Variant(std::move(value));
}

}  // namespace rxTheme
