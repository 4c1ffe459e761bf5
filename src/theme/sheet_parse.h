// One style sheet parsed on its own, for tools that explain a theme to its
// author: the sheet goes through the very parser that Load hands it to, into
// sections made for this parse alone, and the observer hears what the parser
// did with each line.
#pragma once

#include <cstdint>

#include <rxtheme/runtime/wstring.h>
#include "sections/parse_observer.h"
#include "theme/package_format.h"

namespace rxTheme {

struct ToolSheetParser {
  // Parses `text` as Load parses a piece of `role` (kColorSheet, kGraphSheet
  // or kBaseSheet; `variant` is used by the first two). Returns 0, or the
  // number of the automation error that stopped the parse at a line (the
  // observer heard it as kError). Any other role parses nothing.
  static int32_t Parse(PieceRole role, int16_t variant, WString text, ParseObserver& observer);
};

}  // namespace rxTheme
