// A theme's look as block-theme global styles (theme.json, version 3): the
// palette of every distinct color, the body's colors, typography and
// background picture, links and headings as elements, the graphics as
// custom settings; and the two style variations (vivid colors, active
// graphics) for styles/*.json. Values are written as theme.css writes them.
#pragma once

#include <string>
#include <vector>

#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme_values.h>

namespace rxTheme::cli {

std::string BlockThemeJson(const std::vector<ThemeValue>& values, const WString& title);
// The vivid colors: their palette and styles.
std::string VividColorsJson(const std::vector<ThemeValue>& values);
// The active graphics: their custom settings.
std::string ActiveGraphicsJson(const std::vector<ThemeValue>& values);

}  // namespace rxTheme::cli
