#include <rxtheme/authoring/findings.h>

#include <algorithm>

namespace rxTheme {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "";
}

void Findings::Add(size_t rank, Finding finding) { items_.emplace_back(rank, std::move(finding)); }

size_t Findings::Count(Severity severity) const {
  return static_cast<size_t>(std::count_if(items_.begin(), items_.end(), [&](const auto& item) {
    return item.second.severity == severity;
  }));
}

bool Findings::Fail(bool strict) const {
  return Count(Severity::kError) > 0 || (strict && Count(Severity::kWarning) > 0);
}

std::vector<Finding> Findings::Sorted() const {
  auto items = items_;
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.line < b.second.line;
  });
  std::vector<Finding> sorted;
  for (auto& item : items) sorted.push_back(std::move(item.second));
  return sorted;
}

}  // namespace rxTheme
