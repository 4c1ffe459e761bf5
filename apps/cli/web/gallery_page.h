// The gallery page: one card per theme with its title, version, the check's
// summary, its four variant pages side by side (each from the theme's
// export) and links to its files; a theme that cannot be read gets a card
// that says why. Written a card at a time, so that its size in memory does
// not grow with the number of themes.
#pragma once

#include <string>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

struct GalleryCard {
  WString title;
  WString version;
  std::string check;   // "0 errors, 1 warning"
  std::string folder;  // the export's folder, relative to the gallery page, URL-safe
  WString error;       // why the theme cannot be read; empty when it can
};

// The page's start: its head, heading and the line under it.
std::string GalleryStart(const WString& heading, const WString& subtitle);
std::string GalleryCardHtml(const GalleryCard& card);
std::string GalleryEnd();

}  // namespace rxTheme::cli
