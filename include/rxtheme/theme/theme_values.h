// Every value of a theme in one list, read for writers that publish the theme
// in another form (a style sheet, design tokens): per section, style and
// property, what kind of value it is and its value in each variant.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class CTheme;

enum class ValueSection : uint8_t { kColor, kGraph, kBase };
enum class ValueType : uint8_t {
  kColor,    // #RRGGBB
  kPicture,  // a picture file name
  kText,     // a font, a weight, an alignment
};

// "color", "graph" or "base": the section as `rxtheme load --json` names it.
RXTHEME_API std::u16string_view SectionName(ValueSection section);

struct ThemeValue {
  ValueSection section;
  std::u16string_view style;     // the style name in lower case ("body")
  std::u16string_view property;  // the property name ("BackgroundColor")
  ValueType type;
  // Variants 0 and 1 (normal and vivid colors, normal and active graphics).
  // Base values have one variant; for them, and for a current look, both
  // hold the same text.
  WString value[2];

  bool VariantsDiffer() const { return value[0] != value[1]; }
};

// Which values are read.
enum class ValueChoice : uint8_t {
  // The theme's own values of both variants, whatever the switches say.
  kThemeVariants,
  // What the page shows now: the values a get returns under the theme's
  // switches, custom values and chosen variants (raising 9 for a variant
  // index other than 0 or 1), pictures without the working folder.
  kCurrentLook,
};

// Every public string property of every style, in section order (color,
// graphics, base), then slot order, then property order.
RXTHEME_API std::vector<ThemeValue> ReadThemeValues(const CTheme& theme, ValueChoice choice);

// The value of one section, style and property, or null.
RXTHEME_API const ThemeValue* FindValue(const std::vector<ThemeValue>& values, ValueSection section,
                                        std::u16string_view style, std::u16string_view property);

}  // namespace rxTheme
