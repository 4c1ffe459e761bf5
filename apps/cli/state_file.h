// Saved page state on disk: a bag's Contents as its byte image, each 16-bit
// unit little-endian, nothing else.
#pragma once

#include <string>

#include "runtime/wstring.h"

namespace rxTheme::cli {

// The byte image of contents units.
std::string ContentsBytes(const WString& contents);

// Contents units from their byte image; an odd trailing byte raises 999.
WString ContentsFromBytes(const std::string& bytes);

}  // namespace rxTheme::cli
