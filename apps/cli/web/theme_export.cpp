#include "web/theme_export.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include <rxtheme/theme/theme.h>
#include <rxtheme/theme/theme_css.h>
#include <rxtheme/theme/theme_values.h>
#include "command_error.h"
#include "files/command_files.h"
#include "files/package_load.h"
#include "files/theme_input.h"
#include "web/block_theme.h"
#include "web/design_tokens.h"
#include "web/sample_page.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

void MakeFolder(const WString& folder) {
  std::error_code error;
  fs::create_directories(fs::path(Narrow(folder)), error);
  if (error || !fs::is_directory(fs::path(Narrow(folder)))) {
    RaiseAbout(kPathNotFound, FolderSubject(u"export folder", folder));
  }
}

}  // namespace

ExportedTheme ExportTheme(const ThemeInput& input, const WString& folder) {
  MakeFolder(folder);
  MakeFolder(folder + u"/styles");
  auto theme = std::make_shared<CTheme>();
  theme->WorkingFolder(folder);
  LoadPackage(*theme, input.Package());

  ExportedTheme exported{input.Title(), theme->Version(), 0, {}};
  auto write = [&](std::u16string_view name, const std::string& text) {
    OutputFile(folder + u"/" + WString(name)).Write(text);
    ++exported.files;
  };
  ThemeCss css = WriteThemeCss(*theme);
  exported.warnings = std::move(css.warnings);
  write(u"theme.css", css.text);
  const std::vector<ThemeValue> values = ReadThemeValues(*theme, ValueChoice::kThemeVariants);
  write(u"tokens.json", DesignTokensJson(values));
  write(u"theme.json", BlockThemeJson(values, input.Title()));
  write(u"styles/vivid-colors.json", VividColorsJson(values));
  write(u"styles/active-graphics.json", ActiveGraphicsJson(values));
  write(u"index.html", SamplePage(input.Title(), VariantPages().front(), true));
  for (const VariantPage& page : VariantPages()) {
    write(Widen(page.file), SamplePage(input.Title(), page, false));
  }
  return exported;
}

}  // namespace rxTheme::cli
