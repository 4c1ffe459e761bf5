#include "authoring/color_names.h"

#include <rxtheme/picker/preview_scene.h>

namespace rxTheme {

// The names are the picker's, which paints them as an HTML view does.
std::optional<std::array<int, 3>> NamedColor(std::string_view name) {
  const std::optional<Rgb> rgb = CssNamedColor(Widen(name));
  if (!rgb) return std::nullopt;
  return std::array<int, 3>{static_cast<int>(*rgb >> 16 & 0xFF), static_cast<int>(*rgb >> 8 & 0xFF),
                            static_cast<int>(*rgb & 0xFF)};
}

}  // namespace rxTheme
