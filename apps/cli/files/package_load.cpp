#include "files/package_load.h"

#include <filesystem>
#include <iostream>
#include <system_error>
#include <utility>

#include <rxtheme/theme/loader.h>
#include <rxtheme/theme/theme.h>
#include "command_error.h"
#include "files/command_files.h"
#include "platform/env.h"
#include "print/printable.h"

namespace rxTheme::cli {

LoadInput ExistingTheme(const std::string& path) {
  LoadInput input;
  const WString absolute = Absolute(path);
  if (!absolute.empty() && CurrentEnv().FolderExists(absolute) && HoldsStyleSheet(absolute)) {
    input.folder = ReadFolderPackage(path);
    input.path = input.folder->source.folder;
    input.is_folder = true;
  } else {
    input.path = ExistingPackage(path);
  }
  return input;
}

WString ThemeSubject(const LoadInput& input) {
  return input.is_folder ? FolderSubject(u"theme folder", input.path) : DisplayPath(input.path);
}

void LoadTheme(CTheme& theme, LoadInput& input, const char* command) {
  LoadReport report;
  const WString subject = ThemeSubject(input);
  if (input.is_folder) {
    std::error_code error;
    if (std::filesystem::equivalent(std::filesystem::path(Narrow(theme.WorkingFolder())),
                                    std::filesystem::path(Narrow(input.path)), error)) {
      throw Refusal{command, "the working folder is " + ToUtf8(subject) +
                                 " itself; loading would write its pictures into it "
                                 "(name another working folder)"};
    }
    // The loader opens the folder's path; the Env answers with its package.
    FolderPackageEnv env(CurrentEnv());
    if (input.folder) {
      env.Serve(input.path, std::move(*input.folder));
      input.folder.reset();
    } else {
      env.Serve(input.path, input.path);
    }
    ScopedEnv scope(env);
    About(subject, [&] { ThemeLoader::Load(theme, input.path, &report); });
  } else {
    About(subject, [&] { ThemeLoader::Load(theme, input.path, &report); });
  }
  if (report.cut_off > 0) {
    std::cerr << "rxtheme: warning: " << Printable(subject) << ": " << report.cut_off << " of "
              << report.pieces << " pieces are cut off and were unpacked empty\n";
  }
}

void LoadPackage(CTheme& theme, const WString& package) {
  LoadInput input;
  input.path = package;
  LoadTheme(theme, input, "load");
}

}  // namespace rxTheme::cli
