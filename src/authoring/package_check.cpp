// CheckPackage (check_inputs.h): a package read as the loader reads it.
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

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

// A package's bytes as the checks ask for them: the first chunk at any
// time, the rest in increasing offsets, a block at a time, skipping what
// is not asked for (the pictures), so that a large package is never held
// whole.
class PackageBytes {
 public:
  explicit PackageBytes(std::unique_ptr<ReadableFile> file) : file_(std::move(file)) {
    head_ = Next(kPackageChunkSize);
  }

  int64_t Size() const { return file_->Size(); }
  const std::string& Head() const { return head_; }

  // Up to n bytes from `offset` (fewer at the end of the file). Beyond the
  // first chunk, offsets must not go back.
  std::string At(int64_t offset, size_t n) {
    std::string bytes;
    if (offset < static_cast<int64_t>(head_.size())) {
      bytes = head_.substr(static_cast<size_t>(offset), n);
      offset += static_cast<int64_t>(bytes.size());
      n -= bytes.size();
    }
    if (n == 0) return bytes;
    std::string block(std::min<int64_t>(1 << 16, std::max<int64_t>(offset - at_, 0)), '\0');
    while (at_ < offset) {
      const size_t got = file_->Read(block.data(), std::min<int64_t>(block.size(), offset - at_));
      if (got == 0) return bytes;
      at_ += static_cast<int64_t>(got);
    }
    return bytes + Next(n);
  }

 private:
  std::string Next(size_t n) {
    std::string bytes(n, '\0');
    size_t done = 0;
    while (done < n) {
      const size_t got = file_->Read(bytes.data() + done, n - done);
      if (got == 0) break;
      done += got;
    }
    bytes.resize(done);
    at_ += static_cast<int64_t>(done);
    return bytes;
  }

  std::unique_ptr<ReadableFile> file_;
  std::string head_;
  int64_t at_ = 0;  // the file's read position
};

// Why the first chunk holds no whole header (`longer`: the package's first
// bytes, up to kLongHeaderLimit): a header that goes on past it,
// or a damaged one.
Finding HeaderFinding(std::string_view longer, const WString& shown, int32_t error) {
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
  const WString subject = DisplayPath(path);
  // A failure to read names the package.
  PackageBytes package =
      About(subject, [&] { return PackageBytes(CurrentEnv().OpenForRead(path)); });
  const std::string& start = package.Head();
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
    const std::string longer = About(subject, [&] { return package.At(0, kLongHeaderLimit); });
    findings.Add(0, HeaderFinding(longer, shown, e.Number()));
    return;
  }

  ThemeToCheck theme{shown, true, {}};
  const int64_t size = package.Size();
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
      } else if (About(subject, [&] { return package.At(pos, kPieceMarker.size()); }) !=
                 kPieceMarker) {
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
        piece.sheet = About(subject, [&] {
          return package.At(pos + static_cast<int64_t>(kPieceMarker.size()),
                            static_cast<size_t>(entry.size));
        });
      }
      pos += static_cast<int64_t>(kPieceMarker.size()) + entry.size;
    }
    theme.pieces.push_back(std::move(piece));
  }
  CheckTheme(theme, findings);
}

}  // namespace rxTheme
