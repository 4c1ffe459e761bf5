#include <rxtheme/authoring/check_theme.h>

#include <rxtheme/runtime/automation_error.h>
#include "authoring/check_inputs.h"
#include "authoring/check_support.h"
#include "authoring/sheet_check.h"
#include "authoring/theme_source.h"
#include "platform/env.h"
#include "theme/package_format.h"

namespace rxTheme {
namespace {

WString ShownOr(const WString& shown, const WString& path) {
  return shown.empty() ? DisplayPath(path) : shown;
}

void RequireFolder(const WString& folder, std::u16string_view role) {
  if (folder.empty() || !CurrentEnv().FolderExists(folder)) {
    RaiseAbout(kPathNotFound, WString(role) + u" " + DisplayPath(folder));
  }
}

}  // namespace

void CheckSheetBytes(std::u16string_view name, std::string_view bytes, const WString& shown,
                     Findings& findings) {
  const WString lower = LCase(name);
  const PieceRole role = RoleOf(lower);
  if (role != PieceRole::kColorSheet && role != PieceRole::kGraphSheet &&
      role != PieceRole::kBaseSheet) {
    findings.Add(0, {shown, 0, Severity::kWarning, "unread-sheet",
                     Quoted(lower) + u" names neither color, graph nor theme: the style sheet is "
                                     u"neither read nor unpacked"});
    return;
  }
  // A sheet already in CR LF is checked where it lies, without a copy.
  std::string converted;
  std::string_view text = bytes;
  if (!CrLfOnly(bytes)) {
    converted = CrLfLineEnds(std::string(bytes));
    text = converted;
  }
  int16_t variant = 0;
  if (role != PieceRole::kBaseSheet) variant = VariantOf(lower);
  PictureUses pictures = PictureUses::None();
  CheckSheet({role, variant, variant == 0 || variant == 1, text, shown, 1}, findings, pictures);
}

Findings CheckSourceFolder(const WString& folder, const WString& shown) {
  RequireFolder(folder, u"theme folder");
  ThemeSource source = ListThemeSource(folder, ShownOr(shown, folder), {});
  ReadSheets(source, false);
  Findings findings;
  CheckThemeSource(source, VersionText(source, std::nullopt), findings);
  return findings;
}

Findings CheckPackageFile(const WString& path, const WString& shown) {
  if (path.empty() || !CurrentEnv().FileExists(path)) RaiseAbout(kFileNotFound, DisplayPath(path));
  Findings findings;
  CheckPackage(path, ShownOr(shown, path), findings);
  return findings;
}

Findings CheckInstalledFolder(const WString& folder, const WString& shown) {
  RequireFolder(folder, u"theme folder");
  Findings findings;
  CheckInstalledTheme(folder, ShownOr(shown, folder), findings);
  return findings;
}

Findings CheckSheetText(std::u16string_view name, std::string_view text, const WString& shown) {
  Findings findings;
  CheckSheetBytes(name, text, shown.empty() ? WString(name) : shown, findings);
  return findings;
}

}  // namespace rxTheme
