#include "authoring/css_reading.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "sections/theme_support.h"

namespace rxTheme {
namespace {

using std::u16string_view;
constexpr size_t kNone = u16string_view::npos;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

u16string_view TrimmedBlanks(u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

WString Number(int64_t n) { return Widen(std::to_string(n)); }

// A plain CSS number ("12", "-3", "1.5", ".5"), optionally followed by "%".
std::optional<double> CssNumber(u16string_view text, bool& percent) {
  percent = !text.empty() && text.back() == u'%';
  if (percent) text.remove_suffix(1);
  size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= u'0' && text[i] <= u'9') {
      ++digits;
    } else if (text[i] == u'.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  return std::stod(Narrow(text));
}

}  // namespace

WString CssTextValue(u16string_view line) {
  const size_t colon = line.find(u':');
  const u16string_view value = colon == kNone ? line : line.substr(colon + 1);
  WString read;
  char16_t quote = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    const char16_t c = value[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u'/' && i + 1 < value.size() && value[i + 1] == u'*') {
      const size_t end = value.find(u"*/", i + 2);
      if (end == kNone) break;
      i = end + 1;
      continue;
    } else if (c == u';') {
      break;
    }
    read.push_back(c);
  }
  u16string_view trimmed = TrimmedBlanks(read);
  if (trimmed.ends_with(u"important") || trimmed.ends_with(u"IMPORTANT")) {
    u16string_view rest = TrimmedBlanks(trimmed.substr(0, trimmed.size() - 9));
    if (rest.ends_with(u'!')) trimmed = TrimmedBlanks(rest.substr(0, rest.size() - 1));
  }
  return WString(trimmed);
}

std::vector<WString> KeptExtras(u16string_view stored) {
  std::vector<WString> extras;
  if (const size_t semicolon = stored.find(u';'); semicolon != kNone) {
    extras.emplace_back(TrimmedBlanks(stored.substr(semicolon + 1)).empty()
                            ? u"a second \";\""
                            : u"the \";\" and what follows it");
  }
  if (stored.find(u"/*") != kNone) extras.emplace_back(u"a comment");
  if (ContainsNoCase(stored, u"!important")) extras.emplace_back(u"\"!important\"");
  if (!stored.empty() && (stored.front() == u'\t' || stored.back() == u'\t')) {
    extras.emplace_back(u"a tab");
  }
  if (!stored.empty() && (stored.front() == u' ' || stored.back() == u' ')) {
    extras.emplace_back(u"a space");
  }
  return extras;
}

std::optional<RgbReading> ReadRgbBothWays(u16string_view line) {
  const RgbComponents components = ReadRgb(line);
  if (components.status != RgbComponents::kRead) return std::nullopt;
  // The parts as the reader cuts them: from the line's first "(" to the next ")".
  const size_t open = line.find(u'(');
  u16string_view t = open == kNone ? line : line.substr(open + 1);
  t = t.substr(0, t.find(u')'));

  RgbReading reading;
  for (size_t start = 0;;) {
    const size_t comma = t.find(u',', start);
    RgbPart part;
    part.text = WString(t.substr(start, comma == kNone ? kNone : comma - start));
    reading.parts.push_back(std::move(part));
    if (comma == kNone) break;
    start = comma + 1;
  }
  bool fixable = reading.parts.size() == 3;
  std::array<int64_t, 3> css{};
  bool css_read = reading.parts.size() == 3;
  for (size_t i = 0; i < reading.parts.size(); ++i) {
    RgbPart& part = reading.parts[i];
    const u16string_view trimmed = TrimmedBlanks(part.text);
    const size_t first = part.text.find_first_not_of(u' ');
    part.tab = first != kNone && part.text[first] == u'\t';
    if (i >= 3) {
      reading.differences.push_back(u"the part " + WString(1, u'"') + WString(trimmed) +
                                    u"\" after the third is dropped");
      continue;
    }
    part.read = components.values[i];
    if (const auto number = CssNumber(trimmed, part.percent)) {
      part.css =
          static_cast<int64_t>(std::nearbyint(part.percent ? *number * 255.0 / 100.0 : *number));
      css[i] = std::clamp<int64_t>(*part.css, 0, 255);
    } else {
      css_read = false;
    }
    if (part.css && *part.css == part.read) continue;
    if (trimmed.empty()) {
      reading.differences.push_back(u"a missing number is read as 0");
      fixable = false;
    } else if (part.percent) {
      reading.differences.push_back(WString(trimmed) + u" is read as " + Number(part.read) +
                                    u" (not " + Number(part.css.value_or(0)) + u")");
      fixable = fixable && part.css.has_value();
    } else if (part.tab && part.css) {
      reading.differences.push_back(u"the tab before " + WString(trimmed) + u" makes it " +
                                    Number(part.read));
    } else {
      reading.differences.push_back(u"\"" + WString(trimmed) + u"\" is read as " +
                                    Number(part.read));
      fixable = false;
    }
  }
  reading.fixable = fixable && !reading.differences.empty();
  if (css_read) reading.css = css;
  return reading;
}

}  // namespace rxTheme
