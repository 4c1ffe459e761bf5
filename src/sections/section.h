// Section<Object, kShape>: what the three sections share. A section owns a
// fixed, named list of settings objects (its slots), each made on first use,
// found by style name, visited in slot order by the fan-outs and saved as
// nested objects. A section whose objects have two theme variants also holds
// the variant that they serve (Index, saved first).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include <rxtheme/persist/persistable.h>
#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>
#include "persist/bag_access.h"
#include "sections/section_key.h"
#include "settings/settings_key.h"

namespace rxTheme {

// One slot. Its style name is its persistence key in lower case ("Body",
// "body"); a style name is matched after lower-casing, not trimmed.
struct SlotInfo {
  const char16_t* key;              // persistence key ("Body")
  const char16_t* alias = nullptr;  // another accepted name ("topbar-font")
};

// The six heading slots of the color and base sections.
// clang-format off
#define RX_HEADING_SLOTS {u"H1"}, {u"H2"}, {u"H3"}, {u"H4"}, {u"H5"}, {u"H6"}
// clang-format on

// One kind of section.
struct SectionShape {
  const char16_t* class_name;       // "CColor"
  std::span<const SlotInfo> slots;  // in slot order
};

template <class ObjectT, const SectionShape& kShape>
class Section : public IPropertyBagX {
 public:
  using Object = ObjectT;
  static constexpr size_t kSlotCount = kShape.slots.size();
  static constexpr bool kHasIndex = Object::kVariantCount == 2;

  static constexpr std::span<const SlotInfo> Slots() { return kShape.slots; }
  // The canonical style names in slot order.
  static const std::vector<WString>& StyleNames();

  // Fan-outs to every object, in slot order (missing objects made first).
  void UseThemeSettings(SectionKey, bool value);
  // For a section that has made no object yet: UseThemeSettings(true), with
  // each object made (and given the flag) on its first use instead of now.
  // A theme starts so, and a restore then replaces the sections unused.
  void UseThemeSettingsOnFirstUse(SectionKey) { theme_on_first_use_ = true; }
  void UseCustomSettings(SectionKey, bool value);
  void IncludePath(SectionKey, bool value) requires Object::kHasFolder {
    ForEach([&](Object& object) { object.IncludePath(SettingsKey{}, value); });
  }
  int16_t Index(SectionKey) const requires kHasIndex { return index_; }
  // Stores the variant and passes it to every object; any value is accepted.
  void Index(SectionKey, int16_t value) requires kHasIndex { SetIndex(value); }

  // The object of a style name (lower-cased, not trimmed), or null; an
  // unknown name creates nothing.
  std::shared_ptr<Object> Item(SectionKey, const WString& name);

  // Persistence: "Index" (default 0) when the section has one, then every
  // slot's object (made first when missing) as a nested object. A restore
  // stores "Index" without passing it on (the objects restore their own), and
  // replaces every slot's object; an absent key or a null reference empties
  // the slot, to be filled with a fresh object on its next use. A plain value
  // or an object of another class raises 13; the slots read before it keep
  // their new objects.
  WString TypeName() const override { return kShape.class_name; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 protected:
  static constexpr size_t kNoSlot = static_cast<size_t>(-1);

  // The slot that accepts `name` after lower-casing, or kNoSlot.
  static size_t FindSlot(std::u16string_view name);
  // The persistence key of `slot`, or nullptr for kNoSlot.
  static const char16_t* SlotKey(size_t slot) {
    return slot == kNoSlot ? nullptr : Slots()[slot].key;
  }
  // The object of slot `slot`, made fresh when the slot is empty.
  const std::shared_ptr<Object>& At(size_t slot);
  void SetIndex(int16_t value) requires kHasIndex {
    index_ = value;
    ForEach([&](Object& object) { object.Index(SettingsKey{}, value); });
  }

  int16_t index_ = 0;

 private:
  template <class Fn>
  void ForEach(Fn&& fn) {
    for (size_t i = 0; i < kSlotCount; ++i) fn(*At(i));
  }

  std::array<std::shared_ptr<Object>, kSlotCount> objects_;
  bool theme_on_first_use_ = false;  // an empty slot stands for an object with the flag on
};

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
  if (!objects_[slot]) {
    objects_[slot] = std::make_shared<Object>();
    if (theme_on_first_use_) objects_[slot]->UseThemeSettings(true);
  }
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
  if (theme_on_first_use_) {
    // A slot that the restore empties takes a plain object on its next use,
    // and one that it does not reach keeps the object it stood for.
    ForEach([](Object&) {});
    theme_on_first_use_ = false;
  }
  // "Index" first, then the slot keys; the bag is walked once for them all.
  static const NameTable kKeys = [] {
    std::vector<WString> keys{u"Index"};
    for (const SlotInfo& slot : Slots()) keys.emplace_back(slot.key);
    return NameTable(std::move(keys));
  }();
  std::array<size_t, 1 + kSlotCount> found;
  BagAccess::FindEach(bag, kKeys, found);
  auto read = [&](size_t key) {
    return found[key] == NameIndex::kNotFound ? Variant() : BagAccess::ReadFound(bag, found[key]);
  };
  if constexpr (kHasIndex) index_ = found[0] == NameIndex::kNotFound ? 0 : read(0).ToI2();
  for (size_t i = 0; i < kSlotCount; ++i) {
    const Variant value = read(1 + i);
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

}  // namespace rxTheme
