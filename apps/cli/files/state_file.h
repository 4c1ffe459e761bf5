// Saved page state on disk: a bag's Contents as its byte image, each 16-bit
// unit little-endian, nothing else. The theme is stored under the key "Theme".
#pragma once

#include <memory>
#include <string>

#include <rxtheme/runtime/wstring.h>
#include "persist/contents_image.h"

namespace rxTheme {
class CTheme;
}

namespace rxTheme::cli {

class OutputFile;

// The theme restored from the state file at `path` (absolute, an existing
// regular file). Every failure names the file: 999 for damaged contents, 13
// for state that holds no theme.
std::shared_ptr<CTheme> ReadState(const WString& path);

// Writes `theme` as the whole contents of `file` (replacing the old state
// only once the new one is complete).
void WriteState(OutputFile& file, const std::shared_ptr<CTheme>& theme);

}  // namespace rxTheme::cli
