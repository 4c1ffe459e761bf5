// The three kinds of style sheet as authors meet them: the file names, the
// styles (the sections' slot tables) and the declarations (the settings
// objects' property tables) that each kind's parser knows. Shared by
// `rxtheme check` and `rxtheme reference`, so that neither can drift from
// the parsers.
#pragma once

#include <span>
#include <string>
#include <vector>

#include <rxtheme/runtime/wstring.h>
#include "sections/section.h"
#include "settings/property_info.h"
#include "theme/package_format.h"

namespace rxTheme {

struct SheetKind {
  PieceRole role;
  const char* section;           // "color"
  const char* file_names[2];     // per variant; the base sheet has one
  const char* variant_names[2];  // what each variant holds ("vivid colors")
  const char* selector_rule;     // how a selector is written
  std::span<const SlotInfo> slots;
  std::span<const PropertyInfo> properties;
};

// Color, graphics and base sheets, in that order.
std::span<const SheetKind> SheetKinds();
// The kind of a sheet role (kColorSheet, kGraphSheet or kBaseSheet).
const SheetKind& KindOf(PieceRole role);

// Every style name that selects a slot ("topbarfont", "topbar-font"), in
// slot order.
std::vector<WString> StyleNames(const SheetKind& kind);
// "link, visited, ..." for messages.
WString StyleList(const SheetKind& kind);

// The property whose declaration starts `name:` (letter case ignored), or
// null.
const PropertyInfo* FindProperty(const SheetKind& kind, std::u16string_view name);

// What a value is: "color", "picture" or "text".
const char* ValueKind(const PropertyInfo& property);
// How it is written: "rgb(r, g, b)", "url(name)", "url(text)" or "text".
const char* WrittenForm(const PropertyInfo& property);

}  // namespace rxTheme
