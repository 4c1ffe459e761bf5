// The checker's findings (authoring/findings.h) as `rxtheme check` and
// `rxtheme pack` print them, the way compilers print diagnostics:
//   FILE:LINE: error|warning|note: message [code]
// (FILE: severity: ... for a finding about a whole file), then a summary
// line "N errors, M warnings"; or as a JSON array of objects with file,
// line (null for a whole file), severity, code and message.
#pragma once

#include <string>

#include <rxtheme/authoring/findings.h>

namespace rxTheme::cli {

// One line per finding, then "N errors, M warnings" (notes not counted).
std::string FindingsText(const Findings& findings);
std::string FindingsJson(const Findings& findings);
// The finding lines alone.
std::string FindingLines(const Findings& findings);

}  // namespace rxTheme::cli
