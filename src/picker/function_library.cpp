#include "picker/function_library.h"

#include "platform/env.h"

namespace rxTheme::FunctionLibrary {

WString BuildPath(const WString& folder, const WString& name) {
  return CurrentEnv().BuildPath(folder, name);
}

bool FileExists(const WString& path) { return CurrentEnv().FileExists(path); }

bool FolderExists(const WString& path) { return CurrentEnv().FolderExists(path); }

std::vector<WString> SubFolderNames(const WString& folder) {
  return CurrentEnv().ListSubFolders(folder);
}

}  // namespace rxTheme::FunctionLibrary
