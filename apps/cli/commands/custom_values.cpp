#include "commands/custom_values.h"

#include <CLI/CLI.hpp>
#include <memory>

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/theme.h>

namespace rxTheme::cli {

namespace {

[[noreturn]] void Refuse(const std::string& what, const std::string& assignment) {
  throw CLI::ValidationError("--custom", what + " in \"" + assignment + "\"");
}

template <class Object>
void SetCustom(const std::shared_ptr<Object>& object, const std::string& section,
               const WString& style, const std::string& property, const WString& value,
               const std::string& assignment) {
  if (!object) Refuse("unknown " + section + " style \"" + ToUtf8(style) + "\"", assignment);
  const auto& names = Object::StringPropertyNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (EqualsNoCase(names[i], FromUtf8(property))) {
      object->SetStringProperty(i, value);
      return;
    }
  }
  Refuse("unknown property \"" + property + "\"", assignment);
}

}  // namespace

void ApplyCustom(CTheme& theme, const std::string& assignment) {
  const size_t eq = assignment.find('=');
  const size_t dot1 = assignment.find('.');
  const size_t dot2 = dot1 == std::string::npos ? dot1 : assignment.find('.', dot1 + 1);
  if (eq == std::string::npos || dot2 == std::string::npos || dot2 > eq) {
    throw CLI::ValidationError("--custom",
                               "expected SECTION.STYLE.PROPERTY=VALUE, got \"" + assignment + "\"");
  }
  const std::string section = assignment.substr(0, dot1);
  const WString style = FromUtf8(assignment.substr(dot1 + 1, dot2 - dot1 - 1));
  const std::string property = assignment.substr(dot2 + 1, eq - dot2 - 1);
  const WString value = FromUtf8(assignment.substr(eq + 1));
  auto set = [&](const auto& object) {
    SetCustom(object, section, style, property, value, assignment);
  };
  if (section == "color") {
    set(theme.Color(style));
  } else if (section == "graph") {
    set(theme.Graph(style));
  } else if (section == "base") {
    set(theme.Base(style));
  } else {
    Refuse("unknown section \"" + section + "\" (color, graph or base)", assignment);
  }
}

}  // namespace rxTheme::cli
