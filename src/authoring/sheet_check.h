// The checks of one style sheet: its line ends, then every line as its
// parser took it (theme/sheet_parse.h), and every value as it is stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include <rxtheme/authoring/findings.h>
#include "authoring/check_support.h"
#include "theme/package_format.h"

namespace rxTheme {

// A picture that a style sheet names, for the checks across the package.
struct PictureUse {
  size_t rank = 0;  // the sheet's rank in the findings
  WString file;     // the sheet, as findings name it
  size_t line = 0;
  WString name;  // the picture as the page asks for it (no spaces or quotes around it)
};

// The pictures that the sheets of a theme name. Given the lower-cased names
// of the theme's pieces that are unpacked as files, a use that finds its
// piece under the very name it asks for is only counted as naming it: that
// use has nothing to report, and a large sheet's many uses of the same few
// pictures then take no memory each. Every other use is kept, in order.
class PictureUses {
 public:
  PictureUses() = default;  // every use is kept
  explicit PictureUses(const std::set<WString>* files) : files_(files) {}
  // No use is kept: for a sheet checked on its own, whose pictures are not
  // looked for.
  static PictureUses None() {
    PictureUses uses;
    uses.none_ = true;
    return uses;
  }

  void Add(PictureUse use);
  // The uses kept, in the order named.
  const std::vector<PictureUse>& Kept() const { return kept_; }
  // The names of the pieces that the uses not kept found.
  const std::set<WString>& Found() const { return found_; }

 private:
  const std::set<WString>* files_ = nullptr;
  bool none_ = false;
  std::vector<PictureUse> kept_;
  std::set<WString> found_;
};

// One style sheet as the loader gets it.
struct SheetToCheck {
  PieceRole role = PieceRole::kBaseSheet;  // a color, graphics or base sheet
  int16_t variant = 0;                     // color and graphics sheets
  // False for a variant other than 0 and 1: the loader then stops at the
  // first value that the sheet stores into a style (error 9).
  bool variant_exists = true;
  std::string_view bytes;
  WString file;  // how findings name it
  size_t rank = 0;
};

struct SheetChecked {
  bool read_whole = true;  // the loader reads the whole sheet (no error stops it)
  size_t values_set = 0;   // the values other than empty that it stores into styles
  // The style (lower case) and property of each value that the sheet leaves
  // set to something other than empty.
  std::set<std::pair<WString, WString>> set;
};

// Adds a finding for every line that the parser skips or takes otherwise
// than it reads, and for every value stored otherwise than it is written;
// an error for a sheet that sets no value (unless another error explains
// it). The pictures that the sheet names go to `pictures`.
SheetChecked CheckSheet(const SheetToCheck& sheet, Findings& findings, PictureUses& pictures);

}  // namespace rxTheme
