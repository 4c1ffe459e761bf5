#include "authoring/theme_coverage.h"

#include "authoring/sheet_tables.h"
#include "picker/preview_values.h"

namespace rxTheme {
namespace {

// The sheet that sets a value of the preview page.
PieceRole RoleOf(PreviewSection section) {
  switch (section) {
    case PreviewSection::kColor:
      return PieceRole::kColorSheet;
    case PreviewSection::kGraph:
      return PieceRole::kGraphSheet;
    case PreviewSection::kBase:
      break;
  }
  return PieceRole::kBaseSheet;
}

// "Color of \"h2\"".
WString ValueName(const std::pair<WString, WString>& value) {
  return value.second + u" of " + Quoted(value.first);
}

}  // namespace

void CheckCoverage(const std::vector<SheetValues>& sheets, Findings& findings) {
  for (const SheetValues& sheet : sheets) {
    for (const PreviewSource& value : PreviewSources()) {
      if (RoleOf(value.section) != sheet.role ||
          sheet.set.count({value.style, value.property}) != 0) {
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
