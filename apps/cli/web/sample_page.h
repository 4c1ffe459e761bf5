// The sample page that `rxtheme export` writes beside theme.css: the
// elements of the picker's preview (banner, two headings, three levels of
// bullets, a separator, the navigation buttons, the three link colors) as
// plain HTML, styled only by theme.css, with no script and nothing from the
// network. One page per variant combination.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

// Text for HTML: "&", "<", ">", "\"" and "'" as character references, control
// characters other than tab and line feed as U+FFFD, the rest as UTF-8.
std::string HtmlEscaped(std::u16string_view text);

struct VariantPage {
  bool vivid;           // vivid colors
  bool active;          // active graphics
  const char* file;     // "vivid-active.html"
  const char* caption;  // "Vivid colors, active graphics"
};

// Normal; vivid colors; active graphics; both.
std::span<const VariantPage> VariantPages();

// The page for `variant`; `index` adds the links to the other pages and to
// the exported files.
std::string SamplePage(const WString& title, const VariantPage& variant, bool index);

}  // namespace rxTheme::cli
