// FunctionLibrary: the file-system wrappers that the theme picker uses. Each
// is a thin call into the current Env (platform/env.h), so that tests can run
// the picker on an in-memory file system.
#pragma once

#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::FunctionLibrary {

// Joins a folder path and a name with one path separator.
WString BuildPath(const WString& folder, const WString& name);

// Whether a file exists at `path`.
bool FileExists(const WString& path);

// Whether a folder exists at `path`.
bool FolderExists(const WString& path);

// The names of the sub-folders of `folder`, in the order in which the file
// system lists them. Raises 76 when the folder does not exist.
std::vector<WString> SubFolderNames(const WString& folder);

}  // namespace rxTheme::FunctionLibrary
