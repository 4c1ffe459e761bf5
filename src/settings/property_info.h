// The description of one string property of a settings object: the row of the
// table from which its getter, setter, theme setter, style-sheet declaration
// and persistence keys are all derived.
#pragma once

#include <cstdint>

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
  const char16_t* prefix;  // the declaration that sets it, colon included
  ValueReader reader;
};

}  // namespace rxTheme
