#include "theme/package_format.h"

#include <limits>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/variant.h>
#include "runtime/number_text.h"
#include "sections/theme_support.h"

namespace rxTheme {

namespace {

[[noreturn]] void RaiseBadHeader() { RaiseError(kInvalidProcedureCall); }

// The leading number of the text, rounded half to even.
double LeadingWhole(std::string_view text) { return RoundHalfEven(LeadingNumber(Widen(text))); }

// A piece's size: a 32-bit integer.
int32_t HeaderSize(std::string_view text) {
  const double value = LeadingWhole(text);
  if (!(value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max())) {
    RaiseError(kOverflow);
  }
  return static_cast<int32_t>(value);
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

PackageHeader ParsePackageHeader(std::string_view text, WString* version) {
  PackageHeader header;
  const std::string_view whole = text;
  size_t lf = text.find('\n');
  if (lf == std::string_view::npos) RaiseBadHeader();
  header.version = Widen(text.substr(0, lf));
  if (version) *version = header.version;
  text.remove_prefix(lf + 1);

  lf = text.find('\n');
  if (lf == std::string_view::npos) RaiseBadHeader();
  // The count is not bounded: a count of 0 or less lists no pieces, and one
  // larger than the entry lines present runs out of lines below.
  const double count = LeadingWhole(text.substr(0, lf));
  text.remove_prefix(lf + 1);

  for (size_t i = 0; static_cast<double>(i) < count; ++i) {
    const size_t offset = whole.size() - text.size();
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) RaiseBadHeader();
    WString name = LCase(Widen(text.substr(0, comma)));
    text.remove_prefix(comma + 1);
    lf = text.find('\n');
    if (lf == std::string_view::npos) RaiseBadHeader();
    const int32_t size = HeaderSize(text.substr(0, lf));
    text.remove_prefix(lf + 1);
    if (size < 0) RaiseBadHeader();
    header.entries.push_back({std::move(name), size, offset});
  }
  header.length = whole.size() - text.size();
  return header;
}

PieceRole RoleOf(std::u16string_view name) {
  if (!EndsWithNoCase(name, u".css")) return PieceRole::kFile;
  if (ContainsNoCase(name, u"color")) return PieceRole::kColorSheet;
  if (ContainsNoCase(name, u"graph")) return PieceRole::kGraphSheet;
  if (ContainsNoCase(name, u"theme")) return PieceRole::kBaseSheet;
  return PieceRole::kOtherSheet;
}

int16_t VariantOf(std::u16string_view name) {
  const std::u16string_view tail = name.substr(name.size() >= 5 ? name.size() - 5 : 0);
  return Variant::R8(LeadingNumber(tail)).ToI2();
}

bool IsPlainPieceName(std::u16string_view name) {
  return !(name.empty() || name == u"." || name == u".." ||
           name.find_first_of(std::u16string_view(u"/\\\0", 3)) != std::u16string_view::npos);
}

bool StartsLikePackage(std::string_view start) {
  const size_t lf = start.find('\n');
  if (lf == std::string_view::npos) return false;
  std::string_view count = start.substr(lf + 1);
  count = count.substr(0, count.find('\n'));
  while (!count.empty() && count.front() == ' ') count.remove_prefix(1);
  if (!count.empty() && (count.front() == '+' || count.front() == '-')) count.remove_prefix(1);
  if (!count.empty() && count.front() == '.') count.remove_prefix(1);
  return !count.empty() && count.front() >= '0' && count.front() <= '9';
}

}  // namespace rxTheme
