// CThemeBaseObject: the base text styles of one style name (the theme-wide
// base, the top bar, the body, a heading): picture references, font, color and
// alignment. One theme value per property (no variants) and one custom value.
#pragma once

#include "settings/property_lists.h"
#include "settings/settings_object.h"

namespace rxTheme {

// The rows of RX_BASE_PROPERTIES (settings/property_lists.h).
inline constexpr PropertyInfo kBaseProperties[] = {RX_BASE_PROPERTIES(RX_SETTINGS_PROPERTY_ROW)};
// One theme value, a working folder, UseThemeSettings true when not saved.
inline constexpr SettingsShape kBaseShape{u"CThemeBaseObject", kBaseProperties, 1, true, true};

class CThemeBaseObject : public SettingsObject<kBaseShape> {
 public:
  // Get: the effective value, an image with WorkingFolder in front when
  // IncludePath is true. Let: stores the custom value. Theme<Name>: stores the
  // theme value unchanged. Nothing here fails.
  RX_SETTINGS_MEMBERS(RX_BASE_PROPERTIES)
};

}  // namespace rxTheme
