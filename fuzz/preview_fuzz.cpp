// Arbitrary bytes as the five style sheets of a package (color0, color1,
// graph0, graph1, theme, separated by NUL; the first byte chooses vivid,
// active and background), loaded and previewed in both forms. Each page is
// 46 lines ending in CR LF; the escaping form holds no <, >, " or & but the
// page's own and the character references, and reading those references back
// gives the exact page.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string_view>

#include "fuzz_support.h"
#include "picker/preview.h"
#include "theme/theme.h"

namespace {

using rxTheme::WString;

// 46 lines, each ending in CR LF. A value may hold a bare LF (a sheet's lines
// end at CR LF) but never CR LF, and no line ends with a value.
bool WellFormed(const WString& page) {
  size_t lines = 0;
  for (size_t at = page.find(u"\r\n"); at != WString::npos; at = page.find(u"\r\n", at + 2)) {
    ++lines;
  }
  return lines == 46 && page.ends_with(u"\r\n");
}

// The page with the character references read back; nullopt when an "&"
// starts none.
std::optional<WString> Unescaped(const WString& page) {
  static const std::pair<std::u16string_view, char16_t> kReferences[] = {
      {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}};
  WString out;
  for (size_t i = 0; i < page.size();) {
    if (page[i] != u'&') {
      out += page[i++];
      continue;
    }
    const auto* match = std::find_if(std::begin(kReferences), std::end(kReferences), [&](auto& r) {
      return std::u16string_view(page).substr(i).starts_with(r.first);
    });
    if (match == std::end(kReferences)) return std::nullopt;
    out += match->second;
    i += match->first.size();
  }
  return out;
}

size_t Markup(const WString& page) {
  return std::count_if(page.begin(), page.end(),
                       [](char16_t c) { return c == u'<' || c == u'>' || c == u'"'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  if (size == 0) return 0;
  const bool vivid = data[0] & 1, active = data[0] & 2, background = data[0] & 4;
  const auto sheets = fuzz::Split(fuzz::Bytes(data + 1, size - 1), '\0', 5);
  const char* names[] = {"color0.css", "color1.css", "graph0.css", "graph1.css", "theme.css"};
  std::vector<std::pair<std::string, std::string_view>> pieces;
  for (size_t i = 0; i < sheets.size(); ++i) pieces.emplace_back(names[i], sheets[i]);
  fuzz::Site site;
  site.env.AddFile(fuzz::Site::kPackage, fuzz::MakePackage(pieces));

  CTheme theme, blank;
  theme.WorkingFolder(fuzz::Site::kWork);
  blank.WorkingFolder(fuzz::Site::kWork);
  fuzz::Expecting({5}, [&] { theme.Load(fuzz::Site::kPackage); });  // url( without ")"
  WString raw, escaped, empty;
  BuildPreview(theme, vivid, active, background, raw);
  BuildPreview(theme, vivid, active, background, escaped, PreviewEscaping::kHtml);
  BuildPreview(blank, vivid, active, background, empty, PreviewEscaping::kHtml);
  if (!WellFormed(raw) || !WellFormed(escaped)) std::abort();
  if (Markup(escaped) != Markup(empty) || Unescaped(escaped) != raw) std::abort();
  return 0;
}
