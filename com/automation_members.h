/* The string properties of the settings objects' automation interfaces, in
 * slot order, with their dispatch identifiers. Plain preprocessor lists, read
 * both by the type library source (through the C preprocessor) and by the C++
 * adapters, so the interface and its implementation cannot drift apart. The
 * adapters bind each name to the core object's property of the same name. */
#ifndef RXTHEME_COM_AUTOMATION_MEMBERS_H_
#define RXTHEME_COM_AUTOMATION_MEMBERS_H_

/* X(dispatch id, property name) */
#define RX_COM_COLOR_STRINGS(X) \
  X(3, Color)                   \
  X(4, BackgroundColor)         \
  X(5, TableBorderColorLight)   \
  X(6, TableBorderColorDark)

#define RX_COM_GRAPH_STRINGS(X) \
  X(3, SeparatorImage)          \
  X(4, ListImage1)              \
  X(5, ListImage2)              \
  X(6, ListImage3)              \
  X(7, NavBannerImage)          \
  X(8, NavButtonHorizNormal)    \
  X(9, NavButtonHorizHovered)   \
  X(10, NavButtonHorizPushed)   \
  X(11, NavButtonVertNormal)    \
  X(12, NavButtonVertHovered)   \
  X(13, NavButtonVertPushed)    \
  X(14, NavButtonHomeNormal)    \
  X(15, NavButtonHomeHovered)   \
  X(16, NavButtonHomePushed)    \
  X(17, NavButtonNextNormal)    \
  X(18, NavButtonNextHovered)   \
  X(19, NavButtonNextPushed)    \
  X(20, NavButtonPrevNormal)    \
  X(21, NavButtonPrevHovered)   \
  X(22, NavButtonPrevPushed)    \
  X(23, NavButtonUpNormal)      \
  X(24, NavButtonUpHovered)     \
  X(25, NavButtonUpPushed)      \
  X(26, FontFamily)             \
  X(27, FontWeight)             \
  X(28, Color)                  \
  X(29, TextAlign)              \
  X(30, VerticalAlign)

#define RX_COM_BASE_STRINGS(X)   \
  X(3, TopBarButton)             \
  X(4, NavButtonBackgroundColor) \
  X(5, BackgroundImage)          \
  X(6, FontFamily)               \
  X(7, FontWeight)               \
  X(8, Color)                    \
  X(9, TextAlign)                \
  X(10, VerticalAlign)

#endif
