#include <rxtheme/version.h>

namespace rxTheme {

#define RXTHEME_TEXT(x) #x
#define RXTHEME_VERSION_TEXT(major, minor, patch) \
  RXTHEME_TEXT(major) "." RXTHEME_TEXT(minor) "." RXTHEME_TEXT(patch)

VersionNumber LibraryVersion() { return kHeaderVersion; }

const char* LibraryVersionText() {
  return RXTHEME_VERSION_TEXT(RXTHEME_VERSION_MAJOR, RXTHEME_VERSION_MINOR, RXTHEME_VERSION_PATCH);
}

}  // namespace rxTheme
