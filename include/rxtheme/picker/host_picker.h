// The picker's lists and pages for C++ hosts, in UTF-8 (the rule of
// runtime/host_text.h): the installed themes as the picker lists them, and a
// page's preview as HTML.
#pragma once

#include <string>
#include <vector>

#include <rxtheme/export.h>

namespace rxTheme {

class PageTheme;

struct InstalledTheme {
  std::string title;    // from the theme's ".inf" file
  std::string package;  // the path of its ".elm" package
};

// The themes installed under `themes_folder`, in the picker's order. Raises
// 76 naming the folder when it does not exist (the picker itself then lists
// nothing).
RXTHEME_API std::vector<InstalledTheme> InstalledThemes(const std::string& themes_folder);

// The page's preview: its theme with the given variants and the background
// picture or not, every value escaped for a browser. The page's variant
// indexes are left as chosen here, as the picker leaves them.
RXTHEME_API std::string PreviewPage(PageTheme& page, bool vivid, bool active, bool background);

}  // namespace rxTheme
