// CGraphObject: the graphics settings of one style class (base, banner text,
// navigation texts and buttons): 23 pictures and 5 text values, each with a
// theme value per graphics variant (0 normal, 1 active) and a custom value.
#pragma once

#include "settings/property_lists.h"
#include "settings/settings_object.h"

namespace rxTheme {

// The rows of RX_GRAPH_PROPERTIES (settings/property_lists.h).
inline constexpr PropertyInfo kGraphProperties[] = {RX_GRAPH_PROPERTIES(RX_SETTINGS_PROPERTY_ROW)};
// Two variants, a working folder, UseThemeSettings true when not saved.
inline constexpr SettingsShape kGraphShape{u"CGraphObject", kGraphProperties, 2, true, true};

class CGraphObject : public SettingsObject<kGraphShape> {
 public:
  // Get: the effective value, an image with WorkingFolder in front when
  // IncludePath is true. Let: stores the custom value. Theme<Name>: stores the
  // theme value of variant Index, raising 9 (storing nothing) when Index is
  // not 0 or 1.
  RX_SETTINGS_MEMBERS(RX_GRAPH_PROPERTIES)
};

}  // namespace rxTheme
