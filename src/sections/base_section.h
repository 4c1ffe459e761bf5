// CThemeBase: the base section. Nine base settings objects, one per style name
// (base, topbarfont, body, h1-h6), filled from the theme's base style sheet.
#pragma once

#include <array>
#include <string_view>

#include "sections/parse_observer.h"
#include "sections/section.h"
#include "settings/settings_objects.h"

namespace rxTheme {

class SheetReader;

inline constexpr SlotInfo kBaseSlots[] = {
    {u"Base"}, {u"TopBarFont", u"topbar-font"}, {u"Body"}, RX_HEADING_SLOTS};
inline constexpr SectionShape kBaseSectionShape{u"CThemeBase", kBaseSlots};

class CThemeBase : public Section<BaseObjectImpl, kBaseSectionShape> {
 public:
  // Parses the base style sheet and empties `text`. A one-line rule sets the
  // working folder of the object it names to `folder`. Raises 5 for a url(
  // without ")": the parse stops there, keeping what it stored, and `text`
  // keeps the lines after the failing one. An observer, if given, hears what
  // the parser did with each line.
  void LoadCss(SectionKey, const WString& folder, WString& text, ParseObserver* observer = nullptr);

 private:
  void ReadOneLineRule(SheetReader& sheet, std::u16string_view line, const WString& folder);
};

}  // namespace rxTheme
