// The slots of a section: a fixed, named list of settings objects, each made
// on first use, found by lower-cased style name, visited in slot order by the
// fan-outs and saved as nested objects.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "persist/property_bag.h"
#include "runtime/automation_error.h"
#include "runtime/variant.h"
#include "runtime/wstring.h"

namespace rxTheme {

// One row of a section's slot table.
struct SlotInfo {
  const char16_t* key;    // persistence key ("Body")
  const char16_t* style;  // canonical style name, lower case ("body")
  const char16_t* alias;  // another accepted name ("topbar-font"), or nullptr
};

template <class Object, size_t N>
class SectionSlots {
 public:
  explicit SectionSlots(const std::array<SlotInfo, N>& table) : table_(table) {}

  // The object of slot `i`, made fresh when the slot is empty.
  const std::shared_ptr<Object>& At(size_t i) {
    if (!objects_[i]) objects_[i] = std::make_shared<Object>();
    return objects_[i];
  }

  // The object whose slot accepts `name` after lower-casing (not trimmed), or
  // null; an unknown name creates nothing.
  std::shared_ptr<Object> Find(const WString& name) {
    const WString lower = LCase(name);
    for (size_t i = 0; i < N; ++i) {
      const SlotInfo& slot = table_[i];
      if (lower == slot.style || (slot.alias != nullptr && lower == slot.alias)) return At(i);
    }
    return nullptr;
  }

  // Calls fn(object) for every slot in order, making missing objects first.
  template <class Fn>
  void ForEach(Fn&& fn) {
    for (size_t i = 0; i < N; ++i) fn(*At(i));
  }

  // Writes every slot's object (made first when missing) as a nested object.
  void Write(PropertyBagX& bag) {
    for (size_t i = 0; i < N; ++i) bag.WriteProperty(table_[i].key, Variant::Obj(At(i)));
  }

  // Reads every slot's object back, replacing what the slot held. An absent
  // key or a null reference empties the slot, so that it is filled with a
  // fresh object on its next use. A plain value or an object of another class
  // raises 13; the slots read before it keep their new objects.
  void Read(PropertyBagX& bag) {
    for (size_t i = 0; i < N; ++i) {
      const Variant value = bag.ReadProperty(table_[i].key);
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

  // The canonical style names in slot order.
  static std::vector<WString> StyleNames(const std::array<SlotInfo, N>& table) {
    std::vector<WString> names;
    for (const SlotInfo& slot : table) names.emplace_back(slot.style);
    return names;
  }

 private:
  const std::array<SlotInfo, N>& table_;
  std::array<std::shared_ptr<Object>, N> objects_;
};

}  // namespace rxTheme
