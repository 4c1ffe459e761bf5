#include "authoring/theme_coverage.h"

#include "authoring/sheet_tables.h"

namespace rxTheme {
namespace {

// The values that the picker's preview page shows, by sheet.
struct PreviewValue {
  PieceRole role;
  const char16_t* style;
  const char16_t* property;
};
constexpr PreviewValue kPreviewValues[] = {
    {PieceRole::kColorSheet, u"body", u"BackgroundColor"},
    {PieceRole::kColorSheet, u"body", u"Color"},
    {PieceRole::kColorSheet, u"link", u"Color"},
    {PieceRole::kColorSheet, u"visited", u"Color"},
    {PieceRole::kColorSheet, u"active", u"Color"},
    {PieceRole::kColorSheet, u"h1", u"Color"},
    {PieceRole::kColorSheet, u"h2", u"Color"},
    {PieceRole::kGraphSheet, u"base", u"NavBannerImage"},
    {PieceRole::kGraphSheet, u"base", u"ListImage1"},
    {PieceRole::kGraphSheet, u"base", u"ListImage2"},
    {PieceRole::kGraphSheet, u"base", u"ListImage3"},
    {PieceRole::kGraphSheet, u"base", u"SeparatorImage"},
    {PieceRole::kGraphSheet, u"base", u"NavButtonPrevNormal"},
    {PieceRole::kGraphSheet, u"base", u"NavButtonHomeNormal"},
    {PieceRole::kGraphSheet, u"base", u"NavButtonUpNormal"},
    {PieceRole::kGraphSheet, u"base", u"NavButtonNextNormal"},
    {PieceRole::kBaseSheet, u"body", u"BackgroundImage"},
    {PieceRole::kBaseSheet, u"body", u"FontFamily"},
    {PieceRole::kBaseSheet, u"h1", u"FontFamily"},
    {PieceRole::kBaseSheet, u"h2", u"FontFamily"},
};

// "Color of \"h2\"".
WString ValueName(const std::pair<WString, WString>& value) {
  return value.second + u" of " + Quoted(value.first);
}

}  // namespace

void CheckCoverage(const std::vector<SheetValues>& sheets, Findings& findings) {
  for (const SheetValues& sheet : sheets) {
    for (const PreviewValue& value : kPreviewValues) {
      if (value.role != sheet.role || sheet.set.count({value.style, value.property}) != 0) {
        continue;
      }
      findings.Add(sheet.rank,
                   {sheet.file, 0, Severity::kWarning, "preview-unset",
                    u"the preview page shows " + ValueName({value.style, value.property}) +
                        u", which this sheet leaves unset"});
    }
    if (sheet.role == PieceRole::kBaseSheet) continue;
    for (const SheetValues& other : sheets) {
      if (other.role != sheet.role || other.variant == sheet.variant) continue;
      const SheetKind& kind = KindOf(sheet.role);
      for (const auto& value : other.set) {
        if (sheet.set.count(value) != 0) continue;
        findings.Add(sheet.rank,
                     {sheet.file, 0, Severity::kWarning, "variant-unset",
                      Widen(kind.file_names[other.variant]) + u" sets " + ValueName(value) +
                          u", this sheet does not: with the " +
                          Widen(kind.variant_names[sheet.variant]) + u" a page gets none"});
      }
    }
  }
}

}  // namespace rxTheme
