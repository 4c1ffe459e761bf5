#include "web/design_tokens.h"

#include <optional>

#include <rxtheme/theme/theme_css.h>
#include "print/json_tree.h"
#include "theme/css_text.h"

namespace rxTheme::cli {
namespace {

// The token's type and value, or nullopt for a value that theme.css leaves
// out too.
std::optional<std::pair<std::string, std::string>> Token(const ThemeValue& value,
                                                         const WString& text) {
  WString why;
  const std::optional<std::string> css = CssValueOf(value, text, {}, why);
  if (!css) return std::nullopt;
  switch (value.type) {
    case ValueType::kColor:
      return std::pair<std::string, std::string>{"color", *css};
    case ValueType::kPicture: {
      // url("NAME") -> NAME: a relative reference to the picture beside the file.
      return std::pair<std::string, std::string>{"asset", css->substr(5, css->size() - 7)};
    }
    case ValueType::kText:
      break;
  }
  if (value.property == u"FontFamily")
    return std::pair<std::string, std::string>{"fontFamily", *css};
  if (value.property == u"FontWeight")
    return std::pair<std::string, std::string>{"fontWeight", *css};
  return std::pair<std::string, std::string>{"string", *css};
}

}  // namespace

std::string DesignTokensJson(const std::vector<ThemeValue>& values) {
  JsonTree root = JsonTree::Object();
  for (const ThemeValue& value : values) {
    const bool two = value.section != ValueSection::kBase;
    for (size_t v = 0; v < (two ? 2u : 1u); ++v) {
      const auto token = Token(value, value.value[v]);
      if (!token) continue;
      std::string group = ToUtf8(SectionName(value.section));
      if (v == 1) group += value.section == ValueSection::kColor ? "-vivid" : "-active";
      JsonTree& entry = root[group][ToUtf8(value.style)][KebabCase(value.property)];
      entry.Set("$type", JsonTree::String(token->first));
      entry.Set("$value", JsonTree::String(token->second));
    }
  }
  return root.Text();
}

}  // namespace rxTheme::cli
