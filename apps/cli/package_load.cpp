#include "package_load.h"

#include <iostream>

#include <rxtheme/theme/loader.h>
#include "command_error.h"
#include "command_files.h"
#include "printable.h"

namespace rxTheme::cli {

void LoadPackage(CTheme& theme, const WString& package) {
  LoadReport report;
  About(DisplayPath(package), [&] { ThemeLoader::Load(theme, package, &report); });
  if (report.cut_off > 0) {
    std::cerr << "rxtheme: warning: " << Printable(DisplayPath(package)) << ": " << report.cut_off
              << " of " << report.pieces << " pieces are cut off and were unpacked empty\n";
  }
}

}  // namespace rxTheme::cli
