// Helpers for the theme tests: style sheets, reading a theme's version
// through a bag, and the error a call raises.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "persist/property_bag.h"
#include "platform/mem_env.h"
#include "runtime/automation_error.h"
#include "support/theme_package.h"
#include "theme/theme.h"

namespace rxTheme::testing {

// A style sheet in the parsers' layout: "selector", "{", tab declarations, "}".
inline std::string Sheet(
    const std::vector<std::pair<std::string, std::vector<std::string>>>& rules) {
  std::string out;
  for (const auto& [selector, decls] : rules) {
    out += selector + "\r\n{\r\n";
    for (const std::string& d : decls) out += "\t" + d + "\r\n";
    out += "}\r\n";
  }
  return out;
}

// The theme's version text, which has no getter: read back through a bag.
inline WString VersionOf(CTheme& theme) {
  PropertyBagX bag;
  theme.WriteProperties(bag);
  return bag.ReadProperty(u"Version").ToString();
}

// What `fn` raises, as the error's what() says it ("error 9: ..."); "" when
// it returns.
template <class Fn>
std::string Raised(Fn&& fn) {
  try {
    fn();
  } catch (const AutomationError& e) {
    return e.what();
  }
  return "";
}

}  // namespace rxTheme::testing
