#include "print/text_diff.h"

#include <algorithm>
#include <vector>

namespace rxTheme::cli {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Above this many cells the longest common subsequence is not looked for:
// the whole text is shown as replaced.
constexpr size_t kMaxCells = 50'000'000;

struct Op {
  char kind;  // ' ', '-', '+'
  std::string_view line;
};

std::vector<Op> Script(const std::vector<std::string_view>& a,
                       const std::vector<std::string_view>& b) {
  std::vector<Op> ops;
  const size_t n = a.size(), m = b.size();
  if ((n + 1) * (m + 1) > kMaxCells) {
    for (auto line : a) ops.push_back({'-', line});
    for (auto line : b) ops.push_back({'+', line});
    return ops;
  }
  // lcs[i][j]: the longest common subsequence of a[i..] and b[j..].
  std::vector<uint32_t> lcs((n + 1) * (m + 1), 0);
  auto at = [&](size_t i, size_t j) -> uint32_t& { return lcs[i * (m + 1) + j]; };
  for (size_t i = n; i-- > 0;) {
    for (size_t j = m; j-- > 0;) {
      at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    }
  }
  size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      ops.push_back({' ', a[i++]});
      ++j;
    } else if (j < m && (i == n || at(i, j + 1) >= at(i + 1, j))) {
      ops.push_back({'+', b[j++]});
    } else {
      ops.push_back({'-', a[i++]});
    }
  }
  return ops;
}

}  // namespace

std::string UnifiedDiff(std::string_view old_name, std::string_view new_name,
                        std::string_view old_text, std::string_view new_text) {
  const std::vector<Op> ops = Script(Lines(old_text), Lines(new_text));
  constexpr size_t kContext = 3;
  std::string out;
  size_t k = 0;
  while (k < ops.size()) {
    if (ops[k].kind == ' ') {
      ++k;
      continue;
    }
    // A hunk: from kContext lines before this change to kContext lines after
    // the last change that lies within 2 * kContext of the one before.
    size_t begin = k >= kContext ? k - kContext : 0;
    size_t end = k;
    while (end < ops.size()) {
      size_t next = end;
      while (next < ops.size() && ops[next].kind != ' ') ++next;
      size_t same = next;
      while (same < ops.size() && ops[same].kind == ' ') ++same;
      end = next;
      if (same == ops.size() || same - next > 2 * kContext) break;
      end = same;
    }
    const size_t stop = std::min(ops.size(), end + kContext);
    size_t old_line = 1, new_line = 1;
    for (size_t x = 0; x < begin; ++x) {
      if (ops[x].kind != '+') ++old_line;
      if (ops[x].kind != '-') ++new_line;
    }
    size_t old_count = 0, new_count = 0;
    for (size_t x = begin; x < stop; ++x) {
      if (ops[x].kind != '+') ++old_count;
      if (ops[x].kind != '-') ++new_count;
    }
    if (out.empty()) out = "--- " + std::string(old_name) + "\n+++ " + std::string(new_name) + "\n";
    out += "@@ -" + std::to_string(old_line) + "," + std::to_string(old_count) + " +" +
           std::to_string(new_line) + "," + std::to_string(new_count) + " @@\n";
    for (size_t x = begin; x < stop; ++x) {
      out += ops[x].kind;
      out.append(ops[x].line).push_back('\n');
    }
    k = stop;
  }
  return out;
}

}  // namespace rxTheme::cli
