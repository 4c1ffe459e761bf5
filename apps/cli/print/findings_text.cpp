#include "print/findings_text.h"

#include "print/json_text.h"
#include "print/printable.h"

namespace rxTheme::cli {
namespace {

std::string Counted(size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::string FindingLines(const Findings& findings) {
  std::string out;
  for (const Finding& f : findings.Sorted()) {
    out += Printable(f.file);
    if (f.line != 0) out.append(":").append(std::to_string(f.line));
    out.append(": ").append(SeverityName(f.severity)).append(": ").append(Printable(f.message));
    out.append(" [").append(f.code).append("]\n");
  }
  return out;
}

std::string FindingsText(const Findings& findings) {
  return FindingLines(findings) + Counted(findings.Count(Severity::kError), "error") + ", " +
         Counted(findings.Count(Severity::kWarning), "warning") + "\n";
}

std::string FindingsJson(const Findings& findings) {
  std::string out = "[";
  const char* separator = "\n ";
  const std::vector<Finding> sorted = findings.Sorted();
  for (const Finding& f : sorted) {
    out += separator;
    separator = ",\n ";
    out += "{\"file\": " + JsonString(f.file) +
           ", \"line\": " + (f.line == 0 ? std::string("null") : std::to_string(f.line)) +
           ", \"severity\": \"" + SeverityName(f.severity) + "\", \"code\": \"" + f.code +
           "\", \"message\": " + JsonString(f.message) + "}";
  }
  return out + (sorted.empty() ? "]\n" : "\n]\n");
}

}  // namespace rxTheme::cli
