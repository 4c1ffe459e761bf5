#include "findings.h"

#include <algorithm>

#include "json_text.h"
#include "printable.h"

namespace rxTheme::cli {
namespace {

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

std::string Counted(size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

// Built by appending: GCC 12 at -O3 reports a false -Wrestrict for a literal
// + string.
WString Quoted(std::u16string_view text) {
  WString quoted(1, u'"');
  quoted.append(text).push_back(u'"');
  return quoted;
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

std::string Findings::Lines() const {
  std::string out;
  for (const Finding& f : Sorted()) {
    out += Printable(f.file);
    if (f.line != 0) out.append(":").append(std::to_string(f.line));
    out.append(": ").append(SeverityName(f.severity)).append(": ").append(Printable(f.message));
    out.append(" [").append(f.code).append("]\n");
  }
  return out;
}

std::string Findings::Text() const {
  return Lines() + Counted(Count(Severity::kError), "error") + ", " +
         Counted(Count(Severity::kWarning), "warning") + "\n";
}

std::string Findings::Json() const {
  std::string out = "[";
  const char* separator = "\n ";
  for (const Finding& f : Sorted()) {
    out += separator;
    separator = ",\n ";
    out += "{\"file\": " + JsonString(f.file) +
           ", \"line\": " + (f.line == 0 ? std::string("null") : std::to_string(f.line)) +
           ", \"severity\": \"" + SeverityName(f.severity) + "\", \"code\": \"" + f.code +
           "\", \"message\": " + JsonString(f.message) + "}";
  }
  return out + (items_.empty() ? "]\n" : "\n]\n");
}

}  // namespace rxTheme::cli
