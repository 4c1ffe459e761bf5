/* The property tables of the three settings objects, one row per string
 * property in interface, persistence and style-sheet order:
 *   X(Name, kind, style-sheet prefix, value reader)
 * Plain preprocessor lists, with no C++ in them, so that everything that
 * names the properties is made from them: the settings objects' tables and
 * members (settings_objects.h) and, in the Windows
 * build, the automation interfaces of the type library and their adapters. */
#ifndef RXTHEME_SETTINGS_PROPERTY_LISTS_H_
#define RXTHEME_SETTINGS_PROPERTY_LISTS_H_

/* CColorObject: the four colors. */
#define RX_COLOR_PROPERTIES(X)                                          \
  X(Color, kText, u"color:", kColor)                                    \
  X(BackgroundColor, kText, u"background-color:", kColor)               \
  X(TableBorderColorLight, kText, u"table-border-color-light:", kColor) \
  X(TableBorderColorDark, kText, u"table-border-color-dark:", kColor)

/* CGraphObject: 23 pictures and 5 text values. A declaration line can start
 * with at most one of the prefixes (each ends at its only colon), so the order
 * in which a line is tested does not matter. */
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

/* CThemeBaseObject: the nine fields; their order is also the order in which
 * the base section tests a declaration line. Version is parsed and saved but
 * reached by no get or let. */
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

#endif
