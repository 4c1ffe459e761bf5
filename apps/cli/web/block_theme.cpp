#include "web/block_theme.h"

#include <optional>
#include <string_view>

#include <rxtheme/theme/theme_css.h>
#include "print/json_tree.h"
#include "theme/css_text.h"

namespace rxTheme::cli {
namespace {

// The CSS text of one value in variant `v`, or nullopt.
std::optional<std::string> Css(const std::vector<ThemeValue>& values, ValueSection section,
                               std::u16string_view style, std::u16string_view property, size_t v) {
  const ThemeValue* value = FindValue(values, section, style, property);
  if (value == nullptr) return std::nullopt;
  WString why;
  return CssValueOf(*value, value->value[v], {}, why);
}

void SetIf(JsonTree& object, std::string_view key, const std::optional<std::string>& text) {
  if (text) object.Set(key, JsonTree::String(*text));
}

// "Body background color" for color/body/BackgroundColor.
std::string UseName(const ThemeValue& value) {
  std::string words = ToUtf8(value.style) + " ";
  for (char c : KebabCase(value.property)) words.push_back(c == '-' ? ' ' : c);
  if (value.section == ValueSection::kGraph) words = "graphics " + words;
  if (value.section == ValueSection::kBase) words = "text style " + words;
  words[0] = static_cast<char>(words[0] - 'a' + 'A');
  return words;
}

// Every distinct color of variant `v`, in the order they first appear; the
// slug names the first use and the name lists every use.
JsonTree Palette(const std::vector<ThemeValue>& values, size_t v) {
  struct Entry {
    std::string color, slug, name;
  };
  std::vector<Entry> entries;
  for (const ThemeValue& value : values) {
    if (value.type != ValueType::kColor) continue;
    WString why;
    // The variation of colors changes the color sheet's colors only.
    const size_t use = value.section == ValueSection::kColor ? v : 0;
    const std::optional<std::string> color = CssValueOf(value, value.value[use], {}, why);
    if (!color) continue;
    Entry* found = nullptr;
    for (Entry& entry : entries) {
      if (entry.color == *color) found = &entry;
    }
    if (found != nullptr) {
      found->name += ", " + UseName(value);
      continue;
    }
    std::string slug = ToUtf8(SectionName(value.section)) + "-" + ToUtf8(value.style) + "-" +
                       KebabCase(value.property);
    entries.push_back({*color, slug, UseName(value)});
  }
  JsonTree palette = JsonTree::Array();
  for (const Entry& entry : entries) {
    JsonTree& item = palette.Push(JsonTree::Object());
    item.Set("slug", JsonTree::String(entry.slug));
    item.Set("name", JsonTree::String(entry.name));
    item.Set("color", JsonTree::String(entry.color));
  }
  return palette;
}

// styles.color, styles.elements' colors (links and headings) of variant `v`.
void ColorStyles(const std::vector<ThemeValue>& values, size_t v, JsonTree& styles) {
  const auto color = [&](std::u16string_view style, std::u16string_view property) {
    return Css(values, ValueSection::kColor, style, property, v);
  };
  JsonTree body = JsonTree::Object();
  SetIf(body, "background", color(u"body", u"BackgroundColor"));
  SetIf(body, "text", color(u"body", u"Color"));
  if (!body.Empty()) styles.Set("color", std::move(body));
  JsonTree& elements = styles["elements"];
  JsonTree link = JsonTree::Object();
  if (const auto c = color(u"link", u"Color")) link["color"].Set("text", JsonTree::String(*c));
  if (const auto c = color(u"visited", u"Color"))
    link[":visited"]["color"].Set("text", JsonTree::String(*c));
  if (const auto c = color(u"active", u"Color"))
    link[":active"]["color"].Set("text", JsonTree::String(*c));
  if (!link.Empty()) elements.Set("link", std::move(link));
  for (char level = '1'; level <= '6'; ++level) {
    const WString h = u"h" + WString(1, static_cast<char16_t>(level));
    if (const auto c = color(h, u"Color"))
      elements[ToUtf8(h)]["color"].Set("text", JsonTree::String(*c));
  }
}

// The graphics of variant `v` as custom settings: rx.graph.STYLE.PROPERTY.
JsonTree GraphicsSettings(const std::vector<ThemeValue>& values, size_t v) {
  JsonTree graph = JsonTree::Object();
  for (const ThemeValue& value : values) {
    if (value.section != ValueSection::kGraph) continue;
    WString why;
    if (const auto css = CssValueOf(value, value.value[v], {}, why))
      graph[ToUtf8(value.style)].Set(KebabCase(value.property), JsonTree::String(*css));
  }
  return graph;
}

}  // namespace

std::string BlockThemeJson(const std::vector<ThemeValue>& values, const WString& title) {
  JsonTree root = JsonTree::Object();
  root.Set("version", JsonTree::Number(3));
  root.Set("title", JsonTree::String(ToUtf8(title)));
  JsonTree& settings = root["settings"];
  settings["color"].Set("palette", Palette(values, 0));
  JsonTree graph = GraphicsSettings(values, 0);
  if (!graph.Empty()) settings["custom"]["rx"].Set("graph", std::move(graph));

  JsonTree& styles = root["styles"];
  ColorStyles(values, 0, styles);
  const auto base = [&](std::u16string_view style, std::u16string_view property) {
    return Css(values, ValueSection::kBase, style, property, 0);
  };
  JsonTree typography = JsonTree::Object();
  SetIf(typography, "fontFamily", base(u"body", u"FontFamily"));
  SetIf(typography, "fontWeight", base(u"body", u"FontWeight"));
  if (!typography.Empty()) styles.Set("typography", std::move(typography));
  if (const auto picture = base(u"body", u"BackgroundImage")) {
    JsonTree& background = styles["background"];
    // url("NAME") -> NAME, relative to theme.json like theme.css's pictures.
    background["backgroundImage"].Set("url",
                                      JsonTree::String(picture->substr(5, picture->size() - 7)));
    background.Set("backgroundRepeat", JsonTree::String("repeat"));
  }
  for (char level = '1'; level <= '6'; ++level) {
    const WString h = u"h" + WString(1, static_cast<char16_t>(level));
    JsonTree heading = JsonTree::Object();
    SetIf(heading, "fontFamily", base(h, u"FontFamily"));
    SetIf(heading, "fontWeight", base(h, u"FontWeight"));
    SetIf(heading, "textAlign", base(h, u"TextAlign"));
    if (!heading.Empty()) styles["elements"][ToUtf8(h)].Set("typography", std::move(heading));
  }
  return root.Text();
}

std::string VividColorsJson(const std::vector<ThemeValue>& values) {
  JsonTree root = JsonTree::Object();
  root.Set("version", JsonTree::Number(3));
  root.Set("title", JsonTree::String("Vivid colors"));
  root["settings"]["color"].Set("palette", Palette(values, 1));
  ColorStyles(values, 1, root["styles"]);
  return root.Text();
}

std::string ActiveGraphicsJson(const std::vector<ThemeValue>& values) {
  JsonTree root = JsonTree::Object();
  root.Set("version", JsonTree::Number(3));
  root.Set("title", JsonTree::String("Active graphics"));
  root["settings"]["custom"]["rx"].Set("graph", GraphicsSettings(values, 1));
  return root.Text();
}

}  // namespace rxTheme::cli
