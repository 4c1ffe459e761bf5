// Helpers for the theme tests: style sheets, reading a theme's version
// through a bag, and visiting every settings object of a theme.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/theme.h>
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "support/mem_env.h"
#include "support/section_text.h"
#include "support/theme_package.h"

namespace rxTheme::testing {

// One rule in the parsers' layout: "selector", "{", the declaration
// indented by a tab, "}".
inline std::string Rule(const std::string& selector, const std::string& declaration) {
  return selector + "\r\n{\r\n\t" + declaration + "\r\n}\r\n";
}

// The theme's version text, which has no getter: read back through a bag.
inline WString VersionOf(CTheme& theme) {
  PropertyBagX bag;
  theme.WriteProperties(bag);
  return bag.ReadProperty(u"Version").ToString();
}

// Calls fn(style, object) for every Color, Graph and Base object of a theme,
// in slot order.
template <class Fn>
void ForEachObject(CTheme& t, Fn&& fn) {
  for (const WString& s : CColor::StyleNames()) fn(s, t.Color(s));
  for (const WString& s : CGraph::StyleNames()) fn(s, t.Graph(s));
  for (const WString& s : CThemeBase::StyleNames()) fn(s, t.Base(s));
}

}  // namespace rxTheme::testing
