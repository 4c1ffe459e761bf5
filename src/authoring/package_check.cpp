// CheckPackage (check_inputs.h): a package read as the loader reads it.
#include <algorithm>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "authoring/check_inputs.h"
#include "authoring/check_support.h"
#include "authoring/theme_check.h"
#include "platform/env.h"
#include "theme/package_format.h"

namespace rxTheme {
namespace {

// How far a header is looked for beyond the first chunk, to tell a long
// header from a damaged one.
constexpr size_t kLongHeaderLimit = 1 << 20;

WString Number(int64_t n) { return Widen(std::to_string(n)); }

// Why the first chunk holds no whole header: a header that goes on past it,
// or a damaged one.
Finding HeaderFinding(std::string_view package, const WString& shown, int32_t error) {
  const std::string_view longer = package.substr(0, kLongHeaderLimit);
  try {
    const PackageHeader header = ParsePackageHeader(longer);
    return {shown, 0, Severity::kError, "header-size",
            u"the header takes " + Number(static_cast<int64_t>(header.length)) +
                u" bytes, but the loader reads it from the first " + Number(kPackageChunkSize) +
                u": loading fails with error 5"};
  } catch (const AutomationError&) {
  }
  return {shown, 0, Severity::kError, "bad-header",
          u"the header is damaged (a line without its \",\" or its line end, or a count or size "
          u"out of range): loading fails with error " +
              Number(error)};
}

// `later` pieces follow the broken one.
WString EmptyFromHere(size_t later) {
  return u": it and the " + Number(static_cast<int64_t>(later)) +
         u" pieces after it are unpacked empty";
}

}  // namespace

void CheckPackage(const WString& path, const WString& shown, Findings& findings) {
  const std::string bytes = About(DisplayPath(path), [&] { return CurrentEnv().ReadFile(path); });
  const std::string_view package = bytes;
  const std::string_view start = package.substr(0, kPackageChunkSize);
  if (!StartsLikePackage(start)) {
    findings.Add(0, {shown, 0, Severity::kError, "not-a-package",
                     u"not a theme package: it does not start with a version line and a line "
                     u"with the count of pieces"});
    return;
  }
  PackageHeader header;
  try {
    header = ParsePackageHeader(start);
  } catch (const AutomationError& e) {
    findings.Add(0, HeaderFinding(package, shown, e.Number()));
    return;
  }

  ThemeToCheck theme{shown, true, {}};
  const auto size = static_cast<int64_t>(package.size());
  int64_t pos = static_cast<int64_t>(header.length);
  for (size_t i = 0; i < header.entries.size(); ++i) {
    const PackageEntry& entry = header.entries[i];
    PieceToCheck piece{entry.name, shown + u"(" + DisplayPath(entry.name) + u")", shown, i + 3, {}};
    const size_t later = header.entries.size() - i - 1;
    const int64_t left = size - pos - static_cast<int64_t>(kPieceMarker.size());
    if (theme.readable > i) {
      WString broken;
      const char* code = "truncated";
      if (left < 0) {
        broken = u"the file ends before the piece " + Quoted(entry.name);
      } else if (package.substr(static_cast<size_t>(pos), kPieceMarker.size()) != kPieceMarker) {
        code = "bad-marker";
        broken = u"the piece " + Quoted(entry.name) + u" does not start with the marker " +
                 Widen(kPieceMarker);
      } else if (entry.size > left) {
        broken = u"the " + Number(entry.size) + u" bytes of " + Quoted(entry.name) +
                 u" run past the end of the file (" + Number(left) + u" are left)";
      }
      if (!broken.empty()) {
        findings.Add(i + 1,
                     {shown, piece.line, Severity::kError, code, broken + EmptyFromHere(later)});
        theme.readable = i;
      } else if (RoleOf(entry.name) != PieceRole::kFile &&
                 RoleOf(entry.name) != PieceRole::kOtherSheet) {
        piece.sheet = package.substr(static_cast<size_t>(pos) + kPieceMarker.size(),
                                     static_cast<size_t>(entry.size));
      }
      pos += static_cast<int64_t>(kPieceMarker.size()) + entry.size;
    }
    theme.pieces.push_back(std::move(piece));
  }
  CheckTheme(theme, findings);
}

}  // namespace rxTheme
