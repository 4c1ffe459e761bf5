// Arbitrary bytes as the five style sheets of a package (color0, color1,
// graph0, graph1, theme, separated by NUL; the first byte chooses vivid,
// active and background), loaded and previewed in both forms. Each page is
// 46 lines ending in CR LF; the escaping form holds no <, >, " or & but the
// page's own and the character references, and reading those references back
// gives the exact page.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include <rxtheme/picker/preview.h>
#include <rxtheme/theme/theme.h>
#include "../tests/support/theme_package.h"
#include "fuzz_support.h"

namespace {

using rxTheme::WString;

// Replaces every `from` (scanning once, left to right); returns how many.
size_t ReplaceAll(WString& text, std::u16string_view from, std::u16string_view to) {
  size_t count = 0;
  for (size_t at = text.find(from); at != WString::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
    ++count;
  }
  return count;
}

// 46 lines, each ending in CR LF. A value may hold a bare LF (a sheet's lines
// end at CR LF) but never CR LF, and no line ends with a value.
bool WellFormed(const WString& page) {
  WString rest = page;
  return ReplaceAll(rest, u"\r\n", u"") == 46 && page.ends_with(u"\r\n");
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
  std::vector<testing::Piece> pieces;
  for (size_t i = 0; i < sheets.size(); ++i) pieces.push_back({names[i], std::string(sheets[i])});
  fuzz::Site site;
  site.env.AddFile(fuzz::Site::kPackage, testing::MakePackage("1.0", pieces));

  CTheme theme, blank;
  theme.WorkingFolder(fuzz::Site::kWork);
  blank.WorkingFolder(fuzz::Site::kWork);
  fuzz::Expecting({5}, [&] { theme.Load(fuzz::Site::kPackage); });  // url( without ")"
  WString raw, escaped, empty;
  BuildPreview(theme, vivid, active, background, raw);
  BuildPreview(theme, vivid, active, background, escaped, PreviewEscaping::kHtml);
  BuildPreview(blank, vivid, active, background, empty, PreviewEscaping::kHtml);
  // Reading the references back: "&amp;" last, so that it makes no new one.
  WString read_back = escaped;
  const size_t references =
      ReplaceAll(read_back, u"&lt;", u"<") + ReplaceAll(read_back, u"&gt;", u">") +
      ReplaceAll(read_back, u"&quot;", u"\"") + ReplaceAll(read_back, u"&amp;", u"&");
  if (!WellFormed(raw) || !WellFormed(escaped) || Markup(escaped) != Markup(empty) ||
      read_back != raw ||
      references != static_cast<size_t>(std::count(escaped.begin(), escaped.end(), u'&'))) {
    std::abort();
  }
  return 0;
}
