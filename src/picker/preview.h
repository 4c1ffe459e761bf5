// The theme preview page: a small HTML page (a body with the theme's colors
// and optional background picture, the banner, two headings, three levels of
// bullets, a separator, four navigation buttons and three sample links) built
// from the settings objects of a theme, for the picker's HTML view.
#pragma once

#include <string_view>

#include "runtime/wstring.h"

namespace rxTheme {

class CTheme;

// Appends one line of the page and its CR LF.
void AddPreviewLine(WString& preview_html, std::u16string_view line);

// Builds the preview page of `theme` into `preview_html` (emptied first).
//
// Sets the theme's ColorIndex (1 when `vivid`), then its GraphIndex (1 when
// `active`), then IncludePath = true; these stay on the theme. Every value is
// fetched through a fresh Color/Base/Graph call just before the line that
// uses it, and inserted without escaping. The page is 46 lines, each ending in
// CR LF, from "<body" to "</body>"; `background` chooses the form of the first
// line (with or without the background attribute). Errors of the theme and
// its settings objects pass through; the lines appended before stay.
void BuildPreview(CTheme& theme, bool vivid, bool active, bool background, WString& preview_html);

}  // namespace rxTheme
