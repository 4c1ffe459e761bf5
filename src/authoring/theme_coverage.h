// What a theme leaves unset, judged across its sheets: values that the
// picker's preview page shows, and values that one variant of the colors or
// the graphics sets and the other does not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include <rxtheme/authoring/findings.h>
#include "authoring/check_support.h"
#include "theme/package_format.h"

namespace rxTheme {

// A sheet read whole that sets some value: what it sets.
struct SheetValues {
  PieceRole role;
  int16_t variant;
  WString file;  // as findings name it
  size_t rank;
  std::set<std::pair<WString, WString>> set;  // style (lower case), property
};

// A warning on a sheet for each value of the preview page that it leaves
// unset, and for each value that the other variant's sheet sets and it
// does not.
void CheckCoverage(const std::vector<SheetValues>& sheets, Findings& findings);

}  // namespace rxTheme
