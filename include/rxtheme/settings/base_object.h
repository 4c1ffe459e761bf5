// CThemeBaseObject: the base text styles of one style name (the theme-wide
// base, the top bar, the body, a heading): picture references, font, color and
// alignment. One theme value per property (no variants) and one custom value.
#pragma once

#include "settings/settings_object.h"

namespace rxTheme {

// The nine fields, in persistence order, which is also the order in which the
// base section tests a declaration line:
//   X(Name, kind, style-sheet prefix, value reader)
// Version is parsed and saved but reached by no get or let.
#define RX_BASE_PROPERTIES(X)                                              \
  X(TopBarButton, kImage, u"top-bar-button:", kUrl)                        \
  X(Version, kInternal, u"version:", kUrl)                                 \
  X(NavButtonBackgroundColor, kText, u"navbutton-background-color:", kUrl) \
  X(BackgroundImage, kImage, u"background-image:", kUrl)                   \
  X(FontFamily, kText, u"font-family:", kValue)                            \
  X(FontWeight, kText, u"font-weight:", kValue)                            \
  X(Color, kText, u"color:", kColor)                                       \
  X(TextAlign, kText, u"text-align:", kValue)                              \
  X(VerticalAlign, kText, u"vertical-align:", kValue)

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
