// What `rxtheme check` and `rxtheme pack` find in a theme, one finding per
// mistake, printed the way compilers print diagnostics:
//   FILE:LINE: error|warning|note: message [code]
// (FILE: severity: ... for a finding about a whole file), then a summary
// line "N errors, M warnings"; or as a JSON array of objects with file,
// line (null for a whole file), severity, code and message.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

enum class Severity {
  kError,    // the theme does not load, or loads without what it says
  kWarning,  // a value or a line is taken otherwise than it seems to say
  kNote,     // for information (a file that pack leaves out)
};

struct Finding {
  WString file;     // as the user names it: "themes/x/color0.css", "x.elm(color0.css)"
  size_t line = 0;  // 1-based; 0 for the whole file
  Severity severity = Severity::kWarning;
  const char* code = "";  // "space-indent"
  WString message;
};

// Findings in the order of the theme's files, and by line within a file.
class Findings {
 public:
  // `rank` orders the files: findings about the theme as a whole first (0),
  // then its pieces in package order.
  void Add(size_t rank, Finding finding);

  size_t Count(Severity severity) const;
  // Whether the findings fail a check: any error, or any warning when strict.
  bool Fail(bool strict) const;

  // One line per finding, then "N errors, M warnings" (notes not counted).
  std::string Text() const;
  std::string Json() const;
  // The finding lines alone.
  std::string Lines() const;

 private:
  std::vector<Finding> Sorted() const;

  std::vector<std::pair<size_t, Finding>> items_;
};

// A name in messages: between double quotes.
WString Quoted(std::u16string_view text);

}  // namespace rxTheme::cli
