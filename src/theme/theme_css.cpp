#include <rxtheme/theme/theme_css.h>

#include "theme/css_text.h"
#include <rxtheme/theme/theme.h>

namespace rxTheme {
namespace {

// The rules that apply the custom properties. A var() whose property the
// theme leaves unset makes its declaration fall back to the inherited value,
// as an empty value leaves the preview page's attribute to the browser.
constexpr std::string_view kRules = R"css(
body {
  color: var(--rx-color-body-color);
  background-color: var(--rx-color-body-background-color);
  font-family: var(--rx-base-body-font-family);
  font-weight: var(--rx-base-body-font-weight);
  text-align: var(--rx-base-body-text-align);
}
a:link {
  color: var(--rx-color-link-color);
}
a:visited {
  color: var(--rx-color-visited-color);
}
a:active {
  color: var(--rx-color-active-color);
}
table {
  color: var(--rx-color-table-color);
  background-color: var(--rx-color-table-background-color);
  border-color: var(--rx-color-table-table-border-color-light)
    var(--rx-color-table-table-border-color-dark) var(--rx-color-table-table-border-color-dark)
    var(--rx-color-table-table-border-color-light);
}
th, td {
  border-color: var(--rx-color-table-table-border-color-dark)
    var(--rx-color-table-table-border-color-light) var(--rx-color-table-table-border-color-light)
    var(--rx-color-table-table-border-color-dark);
}
ul {
  list-style-image: var(--rx-graph-base-list-image-1);
}
ul ul {
  list-style-image: var(--rx-graph-base-list-image-2);
}
ul ul ul {
  list-style-image: var(--rx-graph-base-list-image-3);
}
hr {
  border: 0;
  height: auto;
}
hr::before {
  display: block;
  content: var(--rx-graph-base-separator-image);
}
.rx-banner {
  display: grid;
  justify-content: start;
  align-items: center;
}
.rx-banner::before {
  grid-area: 1 / 1;
  content: var(--rx-graph-base-nav-banner-image);
}
.rx-banner-text {
  grid-area: 1 / 1;
  font-family: var(--rx-graph-bannertxt-font-family);
  font-weight: var(--rx-graph-bannertxt-font-weight);
  color: var(--rx-graph-bannertxt-color);
  text-align: var(--rx-graph-bannertxt-text-align);
}
.rx-nav {
  display: inline-grid;
  align-items: center;
  vertical-align: middle;
  text-decoration: none;
}
.rx-nav::before {
  grid-area: 1 / 1;
}
.rx-nav-text {
  grid-area: 1 / 1;
}
)css";

// Per navigation button: its class, the graphics style of its text and the
// stem of its picture properties.
struct NavButton {
  std::string_view name;        // "home": class rx-nav-home
  std::string_view text_style;  // "navtxthome"
};
constexpr NavButton kNavButtons[] = {{"home", "navtxthome"},   {"next", "navtxtnext"},
                                     {"prev", "navtxtprev"},   {"up", "navtxtup"},
                                     {"horiz", "horiznavtxt"}, {"vert", "vertnavtxt"}};

std::string NavButtonRules() {
  std::string out;
  for (const NavButton& button : kNavButtons) {
    const std::string cls = ".rx-nav-" + std::string(button.name);
    const std::string picture = "--rx-graph-base-nav-button-" + std::string(button.name);
    const std::string text = "--rx-graph-" + std::string(button.text_style);
    out += cls + " {\n  font-family: var(" + text + "-font-family);\n  font-weight: var(" + text +
           "-font-weight);\n  color: var(" + text + "-color);\n  text-align: var(" + text +
           "-text-align);\n}\n";
    out += cls + "::before {\n  content: var(" + picture + "-normal);\n}\n";
    out += cls + ":hover::before {\n  content: var(" + picture + "-hovered);\n}\n";
    out += cls + ":active::before {\n  content: var(" + picture + "-pushed);\n}\n";
  }
  return out;
}

// The headings: colors from the color sheet, fonts and alignment from the
// base sheet, as the preview page takes them.
std::string HeadingRules() {
  std::string out;
  for (char level = '1'; level <= '6'; ++level) {
    const std::string h = std::string("h") + level;
    out += h + " {\n  color: var(--rx-color-" + h +
           "-color);\n  background-color: var(--rx-color-" + h +
           "-background-color);\n  font-family: var(--rx-base-" + h +
           "-font-family);\n  font-weight: var(--rx-base-" + h +
           "-font-weight, bold);\n  text-align: var(--rx-base-" + h + "-text-align);\n}\n";
  }
  return out;
}

void AppendBlock(std::string& out, std::string_view selector, const std::string& body) {
  if (body.empty()) return;
  out.append(selector).append(" {\n").append(body).append("}\n");
}

}  // namespace

std::string CssPropertyName(const ThemeValue& value) {
  return "--rx-" + ToUtf8(SectionName(value.section)) + "-" + ToUtf8(value.style) + "-" +
         KebabCase(value.property);
}

std::optional<std::string> CssValueOf(const ThemeValue& value, std::u16string_view text,
                                      std::string_view picture_folder_url, WString& why) {
  why.clear();
  if (text.empty()) return std::nullopt;
  std::optional<std::string> css;
  switch (value.type) {
    case ValueType::kColor:
      css = CssColorText(text);
      if (!css) why = u"is no color of the form #RRGGBB";
      break;
    case ValueType::kPicture:
      css = CssPictureUrl(text, picture_folder_url);
      break;
    case ValueType::kText:
      if (value.property == u"FontFamily") {
        css = CssFontFamily(text);
        if (!css) why = u"names no font";
      } else {
        css = CssKeyword(value.property, text);
        if (!css) why = u"is none of the keywords of " + Widen(KebabCase(value.property));
      }
      break;
  }
  return css;
}

ThemeCss WriteThemeCss(const CTheme& theme, const ThemeCssOptions& options) {
  const std::vector<ThemeValue> values = ReadThemeValues(theme, options.look);
  const bool variants = options.look == ValueChoice::kThemeVariants;
  ThemeCss css;
  // Declarations of :root, of the vivid colors and of the active graphics.
  std::string root, vivid, active;
  for (const ThemeValue& value : values) {
    const std::string name = CssPropertyName(value);
    const size_t count = variants && value.section != ValueSection::kBase ? 2 : 1;
    std::optional<std::string> texts[2];
    for (size_t v = 0; v < count; ++v) {
      if (v == 1 && !value.VariantsDiffer()) {
        texts[1] = texts[0];
        continue;
      }
      WString why;
      texts[v] = CssValueOf(value, value.value[v], options.picture_folder_url, why);
      if (!why.empty()) {
        css.warnings.push_back(Widen(name.substr(2)) +
                               (count == 2 ? v == 1 ? u" (variant 1)" : u" (variant 0)" : u"") +
                               u": \"" + value.value[v] + u"\" " + why + u"; left out");
      }
    }
    if (texts[0]) root += "  " + name + ": " + *texts[0] + ";\n";
    if (count == 2 && texts[1] != texts[0]) {
      // A value that the other variant lacks is reset, as its get returns "".
      std::string& block = value.section == ValueSection::kColor ? vivid : active;
      block += "  " + name + ": " + (texts[1] ? *texts[1] : std::string("initial")) + ";\n";
    }
  }

  css.text = "/* Theme style sheet: custom properties, then rules for plain HTML. */\n";
  AppendBlock(css.text, ":root", root);
  AppendBlock(css.text, ":root[data-rx-colors=\"vivid\"]", vivid);
  AppendBlock(css.text, ":root[data-rx-graphics=\"active\"]", active);
  css.text += kRules;
  css.text += HeadingRules();
  css.text += NavButtonRules();
  if (!variants) {
    if (theme.UseBackgroundImage())
      css.text += "body {\n  background-image: var(--rx-base-body-background-image);\n}\n";
  } else {
    css.text +=
        ":root[data-rx-background] body {\n  background-image: "
        "var(--rx-base-body-background-image);\n}\n";
  }
  return css;
}

}  // namespace rxTheme
