// Loading a theme for a command: from a package, as CTheme::Load does, or
// from a theme's source folder, read as `pack` would pack it
// (folder_package.h); with a word on standard error when a package is
// damaged in a way that Load passes over.
#pragma once

#include <rxtheme/runtime/wstring.h>
#include <optional>
#include <string>
#include "files/folder_package.h"

namespace rxTheme {
class CTheme;
}

namespace rxTheme::cli {

// A theme named on the command line.
struct LoadInput {
  WString path;                         // absolute: the package or the folder
  bool is_folder = false;               // a source folder
  std::optional<FolderPackage> folder;  // its files, read and not yet loaded
};

// A folder that holds a style sheet is a source folder: read now (sheets and
// header, as ReadFolderPackage), so that what pack refuses is refused before
// the working folder is prepared. Anything else is checked as a package
// (ExistingPackage): a folder without a style sheet raises 53 as a path that
// names no package does.
LoadInput ExistingTheme(const std::string& path);

// How messages name the theme: the package's path, or "theme folder PATH".
WString ThemeSubject(const LoadInput& input);

// Loads the theme into `theme`; an error names it. A source folder is read
// for this one load (its prepared copy is used up); `command` refuses a
// working folder that is the source folder itself, whose files the pictures
// would be written over (under lower-cased names beside them). When a package does not
// hold all its pieces whole (it is cut off, or a marker is wrong), Load
// unpacks the rest empty without an error: this then says on standard error
// how many pieces that was.
void LoadTheme(CTheme& theme, LoadInput& input, const char* command);

// Loads a package already checked (ExistingPackage, or one written for the
// command) as LoadTheme does.
void LoadPackage(CTheme& theme, const WString& package);

}  // namespace rxTheme::cli
