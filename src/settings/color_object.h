// CColorObject: the colors of one color style (a link state, the body, tables,
// a heading). Each color has a theme value per color variant (0 normal, 1
// vivid) and a custom value set by the host; two flags decide which one a get
// returns.
#pragma once

#include "settings/property_lists.h"
#include "settings/settings_object.h"

namespace rxTheme {

// The rows of RX_COLOR_PROPERTIES (settings/property_lists.h).
inline constexpr PropertyInfo kColorProperties[] = {RX_COLOR_PROPERTIES(RX_SETTINGS_PROPERTY_ROW)};
// Two variants, no working folder, UseThemeSettings false when not saved.
inline constexpr SettingsShape kColorShape{u"CColorObject", kColorProperties, 2, false, false};

class CColorObject : public SettingsObject<kColorShape> {
 public:
  // Get: the effective value. Let: stores the custom value. ThemeColor and
  // the others: store the theme value of variant Index, raising 9 (storing
  // nothing) when Index is not 0 or 1.
  RX_SETTINGS_MEMBERS(RX_COLOR_PROPERTIES)
};

}  // namespace rxTheme
