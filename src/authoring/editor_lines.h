// Line numbers of a style sheet as an editor counts them. The parsers end a
// line only at CR LF; an editor also at a LF or a CR alone, so in a sheet
// with such line ends the two counts part.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace rxTheme {

class EditorLines {
 public:
  explicit EditorLines(std::string_view bytes);

  // The editor lines that end with a LF or a CR alone, in order.
  const std::vector<size_t>& BareLineEnds() const { return bare_; }
  // Whether the sheet holds a CR LF at all.
  bool HasCrLf() const { return has_crlf_; }
  // The editor line on which the parser's line `parser_line` (1-based)
  // starts; 0 stays 0.
  // Whether the parser's line `parser_line` holds a LF or CR alone (the
  // parser reads two editor lines or more as one).
  bool Joined(size_t parser_line) const {
    if (parser_line == 0 || starts_.empty() || parser_line > starts_.size()) return false;
    const size_t next = parser_line < starts_.size() ? starts_[parser_line] : last_line_ + 1;
    return next - starts_[parser_line - 1] > 1;
  }
  size_t Of(size_t parser_line) const {
    if (parser_line == 0 || starts_.empty()) return parser_line;
    return parser_line <= starts_.size() ? starts_[parser_line - 1] : parser_line;
  }

 private:
  std::vector<size_t> starts_;  // per parser line; empty when every line ends with CR LF
  std::vector<size_t> bare_;
  bool has_crlf_ = false;
  size_t last_line_ = 1;  // the last editor line
};

}  // namespace rxTheme
