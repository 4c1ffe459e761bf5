// What the theme checker finds in a theme: one finding per mistake, each
// naming the file (and the line) it is about, how grave it is, a short code
// and a message for people.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

enum class Severity {
  kError,    // the theme does not load, or loads without what it says
  kWarning,  // a value or a line is taken otherwise than it seems to say
  kNote,     // for information (a file that pack leaves out)
};

// "error", "warning" or "note".
RXTHEME_API const char* SeverityName(Severity severity);

struct Finding {
  WString file;     // as the caller named it: "themes/x/color0.css", "x.elm(color0.css)"
  size_t line = 0;  // 1-based; 0 for the whole file
  Severity severity = Severity::kWarning;
  const char* code = "";  // a fixed kebab-case name: "space-indent", "missing-picture"
  WString message;
};

// Findings in the order of the theme's files, and by line within a file.
class RXTHEME_API Findings {
 public:
  // `rank` orders the files: findings about the theme as a whole first (0),
  // then its pieces in package order.
  void Add(size_t rank, Finding finding);

  size_t Count(Severity severity) const;
  // Whether the findings fail a check: any error, or any warning when strict.
  bool Fail(bool strict) const;
  // Every finding, by rank, then by line; in the order added otherwise.
  std::vector<Finding> Sorted() const;

 private:
  std::vector<std::pair<size_t, Finding>> items_;
};

}  // namespace rxTheme
