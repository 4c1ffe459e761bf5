// The theme preview page: a small HTML page (a body with the theme's colors
// and optional background picture, the banner, two headings, three levels of
// bullets, a separator, four navigation buttons and three sample links) built
// from the settings objects of a theme, for the picker's HTML view.
#pragma once

#include <string_view>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class CTheme;

// How values go into the page: unchanged (the page as the component
// describes it, for its own preview and for hosts), or with &, <, > and "
// written as character references (for a page that a browser opens).
enum class PreviewEscaping { kNone, kHtml };

// Appends one line of the page and its CR LF.
RXTHEME_API void AddPreviewLine(WString& preview_html, std::u16string_view line);

// Builds the preview page of `theme` into `preview_html` (emptied first).
//
// Sets the theme's ColorIndex (1 when `vivid`), then its GraphIndex (1 when
// `active`), then IncludePath = true; these stay on the theme. Every value is
// fetched through a fresh Color/Base/Graph call just before the line that
// uses it, and inserted without escaping. The page is 46 lines, each ending in
// CR LF, from "<body" to "</body>"; `background` chooses the form of the first
// line (with or without the background attribute). Errors of the theme and
// its settings objects pass through; the lines appended before stay.
// With PreviewEscaping::kHtml the page is the same but for the escaped values.
RXTHEME_API void BuildPreview(CTheme& theme, bool vivid, bool active, bool background,
                              WString& preview_html,
                              PreviewEscaping escaping = PreviewEscaping::kNone);

// The values the page shows, read from the theme's settings objects as
// BuildPreview reads them (without changing the theme's switches).
struct PreviewValues {
  WString background_image;
  WString background_color;
  WString text_color;
  WString link_color;
  WString visited_link_color;
  WString active_link_color;
  WString banner_image;
  WString heading1_typeface;
  WString heading1_color;
  WString body_typeface;
  WString bullet_images[3];
  WString heading2_typeface;
  WString heading2_color;
  WString separator_image;
  WString nav_button_images[4];  // previous page, home, up, next page
};
RXTHEME_API PreviewValues ReadPreviewValues(CTheme& theme);

}  // namespace rxTheme
