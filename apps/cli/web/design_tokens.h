// A theme's values as design tokens (tokens.json): the Design Tokens
// Community Group format, one group per section and style, the vivid colors
// and the active graphics in groups of their own ("color-vivid",
// "graph-active"). Every value is written as theme.css writes it, so a tool
// that turns tokens into CSS gets values that stay inside their declaration.
#pragma once

#include <string>
#include <vector>

#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme_values.h>

namespace rxTheme::cli {

std::string DesignTokensJson(const std::vector<ThemeValue>& values);

}  // namespace rxTheme::cli
