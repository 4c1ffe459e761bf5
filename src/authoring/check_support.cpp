#include "authoring/check_support.h"

#include <algorithm>

#include "platform/env.h"

namespace rxTheme {
namespace {

size_t Distance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

void RaiseAbout(int32_t number, const WString& subject) {
  throw NamedError(number, kDefaultErrorSource, StandardDescription(number) + u": " + subject);
}

WString DisplayPath(const WString& path) { return FromUtf8(Narrow(path)); }

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict for a literal
// + string.
WString Quoted(std::u16string_view text) {
  WString quoted(1, u'"');
  quoted.append(text).push_back(u'"');
  return quoted;
}

WString LastName(const WString& path) {
  const size_t separator = path.find_last_of(WString(u"/") + kPathSeparator);
  return separator == WString::npos ? path : path.substr(separator + 1);
}

std::string Nearest(const std::string& word, const std::vector<std::string>& names) {
  std::string best;
  size_t best_distance = std::max<size_t>(2, word.size() / 3) + 1;
  for (const std::string& name : names) {
    const size_t d = Distance(word, name);
    if (d < best_distance) {
      best = name;
      best_distance = d;
    }
  }
  return best;
}

}  // namespace rxTheme
