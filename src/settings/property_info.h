// The description of one string property of a settings object: the row of the
// table from which its getter, setter, theme setter, style-sheet declaration
// and persistence keys are all derived.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace rxTheme {

// How a property's get treats the working folder.
enum class PropertyKind : uint8_t {
  kImage,     // a picture file name: the get puts WorkingFolder in front when
              // IncludePath is true
  kText,      // a style value, returned as it is
  kInternal,  // parsed, kept and saved, but reached by no get or let
};

// Which style-sheet value reader turns a declaration line into the value.
enum class ValueReader : uint8_t {
  kUrl,    // the text inside url(...)
  kValue,  // the text after the colon
  kColor,  // an rgb(r,g,b) color as #RRGGBB
};

struct PropertyInfo {
  const char16_t* name;  // property name; also the stem of its persistence keys
  PropertyKind kind;
  std::u16string_view prefix;  // the declaration that sets it, colon included
  ValueReader reader;
};

// True when every prefix of `table` is lower-case ASCII and holds exactly one
// ":", at its end. Then no prefix starts another, and a line can start with a
// prefix only when its text up to its first ":" is as long as the prefix.
constexpr bool PrefixesAreLowerAndEndAtTheirOnlyColon(std::span<const PropertyInfo> table) {
  for (const PropertyInfo& row : table) {
    if (row.prefix.find(u':') + 1 != row.prefix.size()) return false;
    for (char16_t unit : row.prefix) {
      if (unit > 127 || (unit >= u'A' && unit <= u'Z')) return false;
    }
  }
  return true;
}

}  // namespace rxTheme
