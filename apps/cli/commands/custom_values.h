// `--custom SECTION.STYLE.PROPERTY=VALUE`: a custom value set through the
// settings object's let, as a host would set it.
#pragma once

#include <string>

namespace rxTheme {
class CTheme;
}

namespace rxTheme::cli {

// SECTION is color, graph or base; STYLE a style name of that section and
// PROPERTY one of its objects' string properties (any letter case for both).
// A malformed or unknown part is a usage error (CLI::ValidationError) that
// names --custom and the part.
void ApplyCustom(CTheme& theme, const std::string& assignment);

}  // namespace rxTheme::cli
