// The files and folders a command names, checked before the component is
// called, so that a wrong path fails at once with one line that names it.
//
// Paths keep their bytes, one unit each (runtime/wstring.h Widen), as the
// component's file functions expect. Load changes the current directory, so
// every path is made absolute first, against the directory the command
// started in.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>
#include "authoring/check_support.h"
#include "platform/env.h"

namespace rxTheme::cli {

// The absolute form of a path (empty stays empty).
WString Absolute(const std::string& path);

// A path as people read it in messages: its bytes taken as UTF-8.
using rxTheme::DisplayPath;

// The absolute path of a file the command reads: raises 53 naming it unless
// it is a regular file (a folder, a pipe or a device is not read).
WString ExistingFile(const std::string& path);

// As ExistingFile, for a theme package: also raises 5 naming it when its
// start is not a package header (a version line, then a line that starts
// with the count of pieces), and raises what Load raises for a header it
// refuses (5 for a count beyond the entry lines, a negative size or a header
// past the first 4096 bytes), before anything is written.
WString ExistingPackage(const std::string& path);

// How messages name a folder: its role and path ("themes folder /x").
WString FolderSubject(std::u16string_view role, const WString& folder);

// The absolute path of an existing folder; raises 76 naming it with `role`
// ("themes folder /x") otherwise.
WString ExistingFolder(const std::string& path, std::u16string_view role);

// The absolute path of the working folder that a package is unpacked into,
// made now (one level, as Load does) when it does not exist. Raises 76
// naming it when it is empty, cannot be made, or cannot be entered: Load
// itself would then quietly unpack into the current directory.
WString WorkingFolderForLoad(const std::string& path);

// A whole-file writer (Env::NewWritableFile) whose failures name the file.
// Made before the work whose result it writes, so that a target that cannot
// be written fails before anything else is done.
class OutputFile {
 public:
  explicit OutputFile(const WString& path);
  const WString& Path() const { return path_; }
  // Appends `bytes` and commits: the file then holds exactly them.
  void Write(std::string_view bytes);
  // Writing a piece at a time: the file holds what was appended once
  // Commit returns.
  void Append(std::string_view bytes);
  void Commit();

 private:
  WString path_;
  std::unique_ptr<WritableFile> file_;
};

}  // namespace rxTheme::cli
