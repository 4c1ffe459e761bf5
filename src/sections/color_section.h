// CColor: the color section. Eleven color settings objects, one per style name
// (link, visited, active, body, table, h1-h6), filled from the theme's color
// style sheets, and the color variant that they serve.
#pragma once

#include <array>
#include <cstdint>

#include "sections/parse_observer.h"
#include "sections/section.h"
#include "settings/settings_objects.h"

namespace rxTheme {

inline constexpr SlotInfo kColorSlots[] = {{u"Link"}, {u"Visited"}, {u"Active"},
                                           {u"Body"}, {u"Table"},   RX_HEADING_SLOTS};
inline constexpr SectionShape kColorSectionShape{u"CColor", kColorSlots};

class CColor : public Section<ColorObjectImpl, kColorSectionShape> {
 public:
  // Parses one color style sheet into variant `variant_index` and empties
  // `text`. Afterwards every object serves `variant_index` while Index()
  // reports its earlier value. Raises 9 at the first declaration stored into a
  // slot's object when the variant is not 0 or 1: the parse stops there,
  // Index() keeps `variant_index` and `text` keeps the lines after the
  // failing one. `folder` is not used. An observer, if given, hears what the
  // parser did with each line.
  void LoadCss(SectionKey, const WString& folder, WString& text, int16_t variant_index,
               ParseObserver* observer = nullptr);
};

}  // namespace rxTheme
