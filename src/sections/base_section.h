// CThemeBase: the base section. Nine base settings objects, one per style name
// (base, topbarfont, body, h1-h6), filled from the theme's base style sheet.
#pragma once

#include <memory>
#include <vector>

#include "persist/persistable.h"
#include "sections/section_key.h"
#include "sections/section_slots.h"
#include "settings/base_object.h"

namespace rxTheme {

class CThemeBase : public IPropertyBagX {
 public:
  static constexpr size_t kSlotCount = 9;
  static const std::array<SlotInfo, kSlotCount>& Slots();

  CThemeBase();

  // The canonical style names in slot order.
  static const std::vector<WString>& StyleNames();

  // Fan-outs to every object, in slot order (missing objects made first).
  void UseThemeSettings(SectionKey, bool value);
  void UseCustomSettings(SectionKey, bool value);
  void IncludePath(SectionKey, bool value);

  // The object of a style name (lower-cased, not trimmed), or null.
  std::shared_ptr<CThemeBaseObject> Item(SectionKey, const WString& name);

  // Parses the base style sheet and empties `text`. A one-line rule sets the
  // working folder of the object it names to `folder`. Raises 5 for a url(
  // without ")"; the parse stops there, keeping what it stored.
  void LoadCss(SectionKey, const WString& folder, WString& text);

  // Persistence.
  WString TypeName() const override { return u"CThemeBase"; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 private:
  SectionSlots<CThemeBaseObject, kSlotCount> slots_;
};

}  // namespace rxTheme
