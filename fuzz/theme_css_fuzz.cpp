// Arbitrary bytes as the five style sheets of a package (color0, color1,
// graph0, graph1, theme, separated by NUL; the first byte chooses the theme's
// own variants or the current look), loaded and written as a style sheet.
// Whatever the values hold, every custom property stays one declaration of
// its own line, its value holding none of the characters that could end it,
// its rule or a <style> element, or open a comment; and the rules after the
// custom properties are those of a theme with no values at all.
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tests/support/theme_package.h"
#include "fuzz_support.h"
#include <rxtheme/theme/theme.h>
#include <rxtheme/theme/theme_css.h>

namespace {

// The text after the custom property blocks: everything from the first line
// that is neither in a block of custom properties nor the header comment.
std::string_view Rules(std::string_view css) {
  size_t at = css.find('\n') + 1;
  while (at < css.size() && css.substr(at).starts_with(":root")) at = css.find("}\n", at) + 2;
  return css.substr(at);
}

bool PropertiesStayInside(std::string_view css) {
  for (size_t at = 0; at < css.size();) {
    size_t end = css.find('\n', at);
    if (end == std::string_view::npos) end = css.size();
    const std::string_view line = css.substr(at, end - at);
    at = end + 1;
    if (!line.starts_with("  --rx-")) continue;
    const size_t colon = line.find(": ");
    if (colon == std::string_view::npos || !line.ends_with(';')) return false;
    const std::string_view value = line.substr(colon + 2, line.size() - colon - 3);
    if (value.empty() || value.find_first_of(";{}<>*") != std::string_view::npos) return false;
    for (char c : value) {
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
        return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  if (size == 0) return 0;
  ThemeCssOptions options;
  if (data[0] & 1) options.look = ValueChoice::kCurrentLook;
  const auto sheets = fuzz::Split(fuzz::Bytes(data + 1, size - 1), '\0', 5);
  const char* names[] = {"color0.css", "color1.css", "graph0.css", "graph1.css", "theme.css"};
  std::vector<testing::Piece> pieces;
  for (size_t i = 0; i < sheets.size(); ++i) pieces.push_back({names[i], std::string(sheets[i])});
  fuzz::Site site;
  site.env.AddFile(fuzz::Site::kPackage, testing::MakePackage("1.0", pieces));

  CTheme theme, blank;
  theme.WorkingFolder(fuzz::Site::kWork);
  fuzz::Expecting({5, 9}, [&] { theme.Load(fuzz::Site::kPackage); });
  theme.ColorIndex(data[0] & 2 ? 1 : 0);
  theme.GraphIndex(data[0] & 4 ? 1 : 0);
  theme.UseBackgroundImage(false);
  const ThemeCss css = WriteThemeCss(theme, options);
  const ThemeCss empty = WriteThemeCss(blank, options);
  if (!PropertiesStayInside(css.text) || Rules(css.text) != Rules(empty.text)) std::abort();
  return 0;
}
