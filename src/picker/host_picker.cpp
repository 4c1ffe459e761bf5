#include <rxtheme/picker/host_picker.h>

#include <rxtheme/picker/preview.h>
#include <rxtheme/picker/theme_list.h>
#include "platform/env.h"
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/host_text.h>
#include <rxtheme/theme/page_theme.h>

namespace rxTheme {

std::vector<InstalledTheme> InstalledThemes(const std::string& themes_folder) {
  const WString folder = Widen(themes_folder);
  if (!CurrentEnv().FolderExists(folder)) {
    RaiseError(kPathNotFound,
               StandardDescription(kPathNotFound) + u": " + HostTextForMessage(themes_folder));
  }
  ThemeList list;
  ListInstalledThemes(folder, list);
  std::vector<InstalledTheme> themes;
  for (const ThemeEntry& entry : list.Entries()) {
    themes.push_back({ThemeTextToUtf8(entry.text), Narrow(entry.tag)});
  }
  return themes;
}

std::string PreviewPage(PageTheme& page, bool vivid, bool active, bool background) {
  WString html;
  BuildPreview(page.Theme(), vivid, active, background, html, PreviewEscaping::kHtml);
  return ThemeTextToUtf8(html);
}

}  // namespace rxTheme
