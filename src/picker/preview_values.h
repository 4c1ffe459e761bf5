// The theme values that the preview page shows, as one list: the page reads
// each through the settings object of its section and style, and the theme
// checker names the ones that a theme's sheets leave unset. Within a
// section, the values are listed in the order the checker reports them.
//
// X(Name, Section, style, Property): the value is
// theme.Section(style)->Property(), for Section Color, Graph or Base.
#pragma once

#include <span>

#define RX_PREVIEW_VALUES(X)                               \
  X(kPageBackgroundColor, Color, u"body", BackgroundColor) \
  X(kTextColor, Color, u"body", Color)                     \
  X(kLinkColor, Color, u"link", Color)                     \
  X(kVisitedLinkColor, Color, u"visited", Color)           \
  X(kActiveLinkColor, Color, u"active", Color)             \
  X(kHeading1Color, Color, u"h1", Color)                   \
  X(kHeading2Color, Color, u"h2", Color)                   \
  X(kBannerImage, Graph, u"base", NavBannerImage)          \
  X(kBulletImage1, Graph, u"base", ListImage1)             \
  X(kBulletImage2, Graph, u"base", ListImage2)             \
  X(kBulletImage3, Graph, u"base", ListImage3)             \
  X(kSeparatorImage, Graph, u"base", SeparatorImage)       \
  X(kPrevButtonImage, Graph, u"base", NavButtonPrevNormal) \
  X(kHomeButtonImage, Graph, u"base", NavButtonHomeNormal) \
  X(kUpButtonImage, Graph, u"base", NavButtonUpNormal)     \
  X(kNextButtonImage, Graph, u"base", NavButtonNextNormal) \
  X(kBackgroundImage, Base, u"body", BackgroundImage)      \
  X(kBodyTypeface, Base, u"body", FontFamily)              \
  X(kHeading1Typeface, Base, u"h1", FontFamily)            \
  X(kHeading2Typeface, Base, u"h2", FontFamily)

namespace rxTheme {

// The section a preview value comes from.
enum class PreviewSection { kColor, kGraph, kBase };

struct PreviewSource {
  PreviewSection section;
  const char16_t* style;     // as the page asks for it
  const char16_t* property;  // the settings object's property
};

// Every value of RX_PREVIEW_VALUES, in its order.
std::span<const PreviewSource> PreviewSources();

}  // namespace rxTheme
