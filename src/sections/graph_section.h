// CGraph: the graphics section. Eight graphics settings objects, one per style
// class (base, bannertxt, horiznavtxt, vertnavtxt, navtxthome, navtxtnext,
// navtxtprev, navtxtup), filled from the theme's graphics style sheets, and
// the graphics variant that they serve.
#pragma once

#include <array>
#include <cstdint>

#include "sections/parse_observer.h"
#include "sections/section.h"
#include "settings/settings_objects.h"

namespace rxTheme {

inline constexpr SlotInfo kGraphSlots[] = {{u"Base"},
                                           {u"BannerTxt"},
                                           {u"HorizNavTxt", u"horiz-navtxt"},
                                           {u"VertNavTxt", u"vert-navtxt"},
                                           {u"NavTxtHome"},
                                           {u"NavTxtNext"},
                                           {u"NavTxtPrev"},
                                           {u"NavTxtUp"}};
inline constexpr SectionShape kGraphSectionShape{u"CGraph", kGraphSlots};

class CGraph : public Section<GraphObjectImpl, kGraphSectionShape> {
 public:
  // Parses one graphics style sheet into variant `variant_index` and empties
  // `text`; every rule closed by "}" sets its object's working folder to
  // `folder`. Afterwards every object serves `variant_index` while Index()
  // reports its earlier value. Raises 9 at the first declaration stored into a
  // slot's object when the variant is not 0 or 1, and 5 for a url( without
  // ")": the parse stops there, Index() keeps `variant_index` and `text` keeps
  // the lines after the failing one. An observer, if given, hears what the
  // parser did with each line.
  void LoadCss(SectionKey, const WString& folder, WString& text, int16_t variant_index,
               ParseObserver* observer = nullptr);
};

}  // namespace rxTheme
