// CGraphObject: the graphics settings of one style class (base, banner text,
// navigation texts and buttons): 23 pictures and 5 text values, each with a
// theme value per graphics variant (0 normal, 1 active) and a custom value.
#pragma once

#include "settings/settings_object.h"

namespace rxTheme {

// The 28 properties, in interface and persistence order:
//   X(Name, kind, style-sheet prefix, value reader)
// A declaration line can start with at most one of the prefixes (each ends at
// its only colon), so the order in which a line is tested does not matter.
#define RX_GRAPH_PROPERTIES(X)                                        \
  X(SeparatorImage, kImage, u"separator-image:", kUrl)                \
  X(ListImage1, kImage, u"list-image-1:", kUrl)                       \
  X(ListImage2, kImage, u"list-image-2:", kUrl)                       \
  X(ListImage3, kImage, u"list-image-3:", kUrl)                       \
  X(NavBannerImage, kImage, u"nav-banner-image:", kUrl)               \
  X(NavButtonHorizNormal, kImage, u"navbutton-horiz-normal:", kUrl)   \
  X(NavButtonHorizHovered, kImage, u"navbutton-horiz-hovered:", kUrl) \
  X(NavButtonHorizPushed, kImage, u"navbutton-horiz-pushed:", kUrl)   \
  X(NavButtonVertNormal, kImage, u"navbutton-vert-normal:", kUrl)     \
  X(NavButtonVertHovered, kImage, u"navbutton-vert-hovered:", kUrl)   \
  X(NavButtonVertPushed, kImage, u"navbutton-vert-pushed:", kUrl)     \
  X(NavButtonHomeNormal, kImage, u"navbutton-home-normal:", kUrl)     \
  X(NavButtonHomeHovered, kImage, u"navbutton-home-hovered:", kUrl)   \
  X(NavButtonHomePushed, kImage, u"navbutton-home-pushed:", kUrl)     \
  X(NavButtonNextNormal, kImage, u"navbutton-next-normal:", kUrl)     \
  X(NavButtonNextHovered, kImage, u"navbutton-next-hovered:", kUrl)   \
  X(NavButtonNextPushed, kImage, u"navbutton-next-pushed:", kUrl)     \
  X(NavButtonPrevNormal, kImage, u"navbutton-prev-normal:", kUrl)     \
  X(NavButtonPrevHovered, kImage, u"navbutton-prev-hovered:", kUrl)   \
  X(NavButtonPrevPushed, kImage, u"navbutton-prev-pushed:", kUrl)     \
  X(NavButtonUpNormal, kImage, u"navbutton-up-normal:", kUrl)         \
  X(NavButtonUpHovered, kImage, u"navbutton-up-hovered:", kUrl)       \
  X(NavButtonUpPushed, kImage, u"navbutton-up-pushed:", kUrl)         \
  X(FontFamily, kText, u"font-family:", kValue)                       \
  X(FontWeight, kText, u"font-weight:", kValue)                       \
  X(Color, kText, u"color:", kColor)                                  \
  X(TextAlign, kText, u"text-align:", kValue)                         \
  X(VerticalAlign, kText, u"vertical-align:", kValue)

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
