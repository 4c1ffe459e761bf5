// The library's version. The macros give the version of these headers (the
// build checks that they match the project's version); LibraryVersion() gives
// the version of the library that the program runs with, which a shared
// library may make newer than the headers it was compiled against.
#pragma once

#include <rxtheme/export.h>

#define RXTHEME_VERSION_MAJOR 1
#define RXTHEME_VERSION_MINOR 0
#define RXTHEME_VERSION_PATCH 0

namespace rxTheme {

struct VersionNumber {
  int major;
  int minor;
  int patch;
  friend bool operator==(const VersionNumber&, const VersionNumber&) = default;
};

// The version these headers belong to.
inline constexpr VersionNumber kHeaderVersion{RXTHEME_VERSION_MAJOR, RXTHEME_VERSION_MINOR,
                                              RXTHEME_VERSION_PATCH};

// The version of the library in use: the same numbers, and as text "1.0.0".
RXTHEME_API VersionNumber LibraryVersion();
RXTHEME_API const char* LibraryVersionText();

}  // namespace rxTheme
