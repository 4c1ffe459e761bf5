// Helpers of the POSIX Env (posix_env.cpp, posix_writable_file.cpp); not part
// of the Env interface. Paths are native byte strings.
#pragma once

#include <memory>
#include <string>

#include "platform/env.h"

namespace rxTheme::posix {

// Whether the path names a folder (following symbolic links).
bool IsFolder(const std::string& path);

// The folder part of a path: "." for a bare name, "/" for a name in the root.
std::string ParentOf(const std::string& path);

// Env::NewWritableFile on the real file system.
std::unique_ptr<WritableFile> NewWritableFile(const std::string& path, LinkPolicy policy,
                                              Durability durability);

}  // namespace rxTheme::posix
