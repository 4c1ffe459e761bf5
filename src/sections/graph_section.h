// CGraph: the graphics section. Eight graphics settings objects, one per style
// class (base, bannertxt, horiznavtxt, vertnavtxt, navtxthome, navtxtnext,
// navtxtprev, navtxtup), filled from the theme's graphics style sheets, and
// the graphics variant that they serve.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "persist/persistable.h"
#include "sections/section_key.h"
#include "sections/section_slots.h"
#include "settings/graph_object.h"

namespace rxTheme {

class CGraph : public IPropertyBagX {
 public:
  static constexpr size_t kSlotCount = 8;
  static const std::array<SlotInfo, kSlotCount>& Slots();

  CGraph();

  // The canonical style names in slot order.
  static const std::vector<WString>& StyleNames();

  // Fan-outs to every object, in slot order (missing objects made first).
  void UseThemeSettings(SectionKey, bool value);
  void UseCustomSettings(SectionKey, bool value);
  void IncludePath(SectionKey, bool value);
  int16_t Index(SectionKey) const { return index_; }
  // Stores the variant and passes it to every object; any value is accepted.
  void Index(SectionKey, int16_t value);

  // The object of a style-class name (lower-cased, not trimmed), or null.
  std::shared_ptr<CGraphObject> Item(SectionKey, const WString& name);

  // Parses one graphics style sheet into variant `variant_index` and empties
  // `text`; every rule closed by "}" sets its object's working folder to
  // `folder`. Afterwards every object serves `variant_index` while Index()
  // reports its earlier value. Raises 9 at the first declaration stored into a
  // slot's object when the variant is not 0 or 1, and 5 for a url( without
  // ")"; the parse stops there and Index() keeps `variant_index`.
  void LoadCss(SectionKey, const WString& folder, WString& text, int16_t variant_index);

  // Persistence.
  WString TypeName() const override { return u"CGraph"; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 private:
  void SetIndex(int16_t value);

  int16_t index_ = 0;
  SectionSlots<CGraphObject, kSlotCount> slots_;
};

}  // namespace rxTheme
