#include "authoring/value_check.h"

#include <cstdint>
#include <string>

#include <rxtheme/authoring/findings.h>
#include "authoring/check_support.h"
#include "authoring/color_names.h"
#include "authoring/css_reading.h"
#include "sections/css_parse.h"
#include "sections/theme_support.h"

namespace rxTheme {
namespace {

using std::u16string_view;

WString Number(int64_t n) { return Widen(std::to_string(n)); }

// The url text without the spaces and quotes around it.
WString BareName(u16string_view text) {
  text = TrimmedSpaces(text);
  if (!text.empty() && (text.front() == u'\'' || text.front() == u'"')) text.remove_prefix(1);
  if (!text.empty() && (text.back() == u'\'' || text.back() == u'"')) text.remove_suffix(1);
  return WString(TrimmedSpaces(text));
}

// "; write rgb(7, 8, 9)" for a color written #070809, #789 or as a CSS
// color name.
WString RgbHint(u16string_view written) {
  written = TrimmedSpaces(written);
  if (const auto named = NamedColor(Narrow(written))) {
    return u"; write rgb(" + Number((*named)[0]) + u", " + Number((*named)[1]) + u", " +
           Number((*named)[2]) + u")";
  }
  if (!written.starts_with(u'#') || (written.size() != 7 && written.size() != 4)) return {};
  std::string hex = Narrow(written.substr(1));
  if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return {};
  if (hex.size() == 3) hex = {hex[0], hex[0], hex[1], hex[1], hex[2], hex[2]};
  std::string rgb;
  for (size_t i = 0; i < 6; i += 2) {
    rgb += (i ? ", " : "") + std::to_string(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return u"; write rgb(" + Widen(rgb) + u")";
}

}  // namespace

std::optional<ValueFinding> CheckColorValue(u16string_view line, u16string_view stored) {
  const RgbComponents rgb = ReadRgb(line);
  const u16string_view written = CssValueText(line);
  if (rgb.status == RgbComponents::kNoRgb) {
    if (written.empty()) return std::nullopt;
    return ValueFinding{"color-form", u"the color " + Quoted(written) +
                                          u" is stored as empty: colors are read only as "
                                          u"rgb(r, g, b)" +
                                          RgbHint(written)};
  }
  if (rgb.status == RgbComponents::kMalformed) {
    return ValueFinding{"rgb-malformed",
                        u"malformed rgb(): three numbers between \"(\" and \")\", two commas "
                        u"between them; the color is stored as " +
                            WString(stored)};
  }
  WString wraps;
  for (const int64_t v : rgb.values) {
    if (v >= 0 && v <= 255) continue;
    wraps +=
        (wraps.empty() ? u"" : u", ") + Number(v) + u" becomes " + Number((v % 256 + 256) % 256);
  }
  if (const auto both = ReadRgbBothWays(line); both && !both->differences.empty()) {
    WString message = u"rgb() is not read as CSS reads it: ";
    for (size_t i = 0; i < both->differences.size(); ++i) {
      message += (i ? u", " : u"") + both->differences[i];
    }
    if (!wraps.empty()) message += u", and numbers outside 0-255 wrap around: " + wraps;
    message += u"; the color is stored as " + WString(stored);
    if (both->css) {
      const auto& c = *both->css;
      message += u", not as rgb(" + Number(c[0]) + u", " + Number(c[1]) + u", " + Number(c[2]) +
                 u")" + (both->fixable ? u" (check --fix writes it so)" : u"");
    }
    return ValueFinding{"rgb-form", std::move(message)};
  }
  if (wraps.empty()) return std::nullopt;
  return ValueFinding{"rgb-range", u"rgb() numbers outside 0-255 wrap around: " + wraps +
                                       u"; the color is stored as " + WString(stored)};
}

std::optional<ValueFinding> CheckTextValue(u16string_view line, u16string_view stored) {
  const WString read = CssTextValue(line);
  if (read == stored) return std::nullopt;
  WString message = u"the value is stored as " + Quoted(stored);
  const std::vector<WString> extras = KeptExtras(stored);
  for (size_t i = 0; i < extras.size(); ++i) message += (i == 0 ? u" (kept: " : u", ") + extras[i];
  if (!extras.empty()) message += u")";
  return ValueFinding{"value-kept", message + u"; CSS reads " + Quoted(read) +
                                        u": end the line with the value " + u"and one \";\""};
}

std::optional<ValueFinding> CheckUrlValue(u16string_view written, u16string_view stored,
                                          bool has_url, WString& name) {
  name = BareName(stored);
  if (stored.empty()) {
    if (has_url || written.empty()) return std::nullopt;
    return ValueFinding{"url-form", Quoted(written) +
                                        u" is stored as empty: this value is read only inside "
                                        u"url(...)"};
  }
  if (TrimmedSpaces(stored) != name) {
    return ValueFinding{"url-quotes", u"the quotes are kept: the value is stored as " +
                                          Quoted(stored) + u"; write url(" + name + u")"};
  }
  if (stored != name) {
    return ValueFinding{"url-spaces", u"the spaces are kept: the value is stored as " +
                                          Quoted(stored) + u"; write url(" + name + u")"};
  }
  return std::nullopt;
}

}  // namespace rxTheme
