#include "sections/section.h"

#include <utility>

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "runtime/automation_error.h"
#include "runtime/variant.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"

namespace rxTheme {

namespace {

const ClassRegistration kColor(u"CColor", [] { return std::make_shared<CColor>(); });
const ClassRegistration kGraph(u"CGraph", [] { return std::make_shared<CGraph>(); });
const ClassRegistration kThemeBase(u"CThemeBase", [] { return std::make_shared<CThemeBase>(); });

}  // namespace

template <class ObjectT, const SectionShape& kShape>
const std::vector<WString>& Section<ObjectT, kShape>::StyleNames() {
  static const std::vector<WString> kNames = [] {
    std::vector<WString> names;
    for (const SlotInfo& slot : Slots()) names.push_back(LCase(slot.key));
    return names;
  }();
  return kNames;
}

template <class ObjectT, const SectionShape& kShape>
void Section<ObjectT, kShape>::UseThemeSettings(SectionKey, bool value) {
  ForEach([&](Object& object) { object.UseThemeSettings(value); });
}

template <class ObjectT, const SectionShape& kShape>
void Section<ObjectT, kShape>::UseCustomSettings(SectionKey, bool value) {
  ForEach([&](Object& object) { object.UseCustomSettings(value); });
}

template <class ObjectT, const SectionShape& kShape>
void Section<ObjectT, kShape>::IncludePath(SectionKey, bool value) requires Object::kHasFolder {
  ForEach([&](Object& object) { object.IncludePath(SettingsKey{}, value); });
}

template <class ObjectT, const SectionShape& kShape>
void Section<ObjectT, kShape>::SetIndex(int16_t value) requires kHasIndex {
  index_ = value;
  ForEach([&](Object& object) { object.Index(SettingsKey{}, value); });
}

template <class ObjectT, const SectionShape& kShape>
std::shared_ptr<ObjectT> Section<ObjectT, kShape>::Item(SectionKey, const WString& name) {
  const size_t slot = FindSlot(name);
  return slot == kNoSlot ? nullptr : At(slot);
}

template <class ObjectT, const SectionShape& kShape>
size_t Section<ObjectT, kShape>::FindSlot(std::u16string_view name) {
  // The keys and aliases are ASCII and the aliases lower case, so this is
  // LCase(name) compared with the style names and aliases.
  for (size_t i = 0; i < kSlotCount; ++i) {
    const SlotInfo& slot = Slots()[i];
    if (EqualsNoCase(name, slot.key) || (slot.alias != nullptr && EqualsNoCase(name, slot.alias)))
      return i;
  }
  return kNoSlot;
}

template <class ObjectT, const SectionShape& kShape>
const std::shared_ptr<ObjectT>& Section<ObjectT, kShape>::At(size_t slot) {
  if (!objects_[slot]) objects_[slot] = std::make_shared<Object>();
  return objects_[slot];
}

template <class ObjectT, const SectionShape& kShape>
WString Section<ObjectT, kShape>::ClassName() const {
  return WString(kLibraryName) + u"." + kShape.class_name;
}

template <class ObjectT, const SectionShape& kShape>
void Section<ObjectT, kShape>::WriteProperties(PropertyBagX& bag) {
  if constexpr (kHasIndex) bag.WriteProperty(u"Index", Variant::I2(index_), Variant::I2(0));
  for (size_t i = 0; i < kSlotCount; ++i) bag.WriteProperty(Slots()[i].key, Variant::Obj(At(i)));
}

template <class ObjectT, const SectionShape& kShape>
void Section<ObjectT, kShape>::ReadProperties(PropertyBagX& bag) {
  if constexpr (kHasIndex) index_ = bag.ReadProperty(u"Index", Variant::I2(0)).ToI2();
  for (size_t i = 0; i < kSlotCount; ++i) {
    const Variant value = bag.ReadProperty(Slots()[i].key);
    if (value.IsEmpty()) {
      objects_[i] = nullptr;
      continue;
    }
    if (!value.IsObject()) RaiseError(kTypeMismatch);
    auto object = std::dynamic_pointer_cast<Object>(value.ObjectValue());
    if (value.ObjectValue() && !object) RaiseError(kTypeMismatch);
    objects_[i] = std::move(object);
  }
}

template class Section<CColorObject, kColorSectionShape>;
template class Section<CGraphObject, kGraphSectionShape>;
template class Section<CThemeBaseObject, kBaseSectionShape>;

}  // namespace rxTheme
