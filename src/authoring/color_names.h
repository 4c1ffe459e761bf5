// The CSS color names and the rgb() color that each one means.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace rxTheme {

// The color that a CSS color name means (letter case ignored), or none.
std::optional<std::array<int, 3>> NamedColor(std::string_view name);

}  // namespace rxTheme
