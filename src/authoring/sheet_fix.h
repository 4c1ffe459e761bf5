// `rxtheme check --fix`: a style sheet written as ordinary CSS, rewritten
// into the layout that the theme's parsers read (the selector on a line of
// its own, "{" and "}" alone, one declaration per line indented by a tab,
// CR LF line ends, colors as rgb(r, g, b), url(name) without quotes or
// spaces, picture names in lower case), so that it loads with the values
// that CSS reads from it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/runtime/wstring.h>
#include "theme/package_format.h"

namespace rxTheme {

struct SheetChange {
  size_t line = 0;  // the line of the sheet as written (as an editor counts); 0 for the whole
  WString what;     // "#070809 written as rgb(7, 8, 9)"
};

struct FixedSheet {
  std::string text;  // the sheet as the parsers read it
  std::vector<SheetChange> changes;
};

// Rewrites a sheet of `role` (a color, graphics or base sheet). Rules,
// declarations and values that it cannot read are kept as written; a sheet
// already in the parsers' layout comes back unchanged.
FixedSheet FixSheet(PieceRole role, std::string_view bytes);

}  // namespace rxTheme
