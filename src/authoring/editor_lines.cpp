#include "authoring/editor_lines.h"

namespace rxTheme {

EditorLines::EditorLines(std::string_view bytes) {
  size_t line = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      has_crlf_ = true;
      ++i;
    } else if (bytes[i] == '\n' || bytes[i] == '\r') {
      bare_.push_back(line);
    } else {
      continue;
    }
    ++line;
  }
  last_line_ = line;
  if (bare_.empty()) return;
  // A second pass, only for sheets that need it: where each parser line starts.
  starts_.push_back(1);
  line = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      ++i;
      starts_.push_back(++line);
    } else if (bytes[i] == '\n' || bytes[i] == '\r') {
      ++line;
    }
  }
}

}  // namespace rxTheme
