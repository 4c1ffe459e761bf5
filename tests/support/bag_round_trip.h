// Saving objects through a real property bag and its flat Contents.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme::testing {

// Writes `object` under "Object" into a bag, carries the bag's Contents over to
// a new bag, and reads the object back from there (the class is re-created by
// its stored class name).
template <class T>
std::shared_ptr<T> RoundTrip(const std::shared_ptr<T>& object) {
  PropertyBagX out;
  out.WriteProperty(u"Object", Variant::Obj(object));
  PropertyBagX in;
  in.Contents(out.Contents());
  const Variant value = in.ReadProperty(u"Object");
  return value.IsObject() ? std::dynamic_pointer_cast<T>(value.ObjectValue()) : nullptr;
}

// The names of a bag's entries, in order.
inline std::vector<WString> EntryNames(const PropertyBagX& bag) {
  std::vector<WString> names;
  for (const PropertyEntry& entry : bag.Entries()) names.push_back(entry.Name);
  return names;
}

// The (key, value) pairs that an object writes with its own WriteProperties:
// a fingerprint of its whole saved state.
template <class T>
std::vector<std::pair<WString, WString>> SavedState(T& object) {
  PropertyBagX bag;
  object.WriteProperties(bag);
  std::vector<std::pair<WString, WString>> state;
  for (const PropertyEntry& entry : bag.Entries()) {
    // Nested objects carry their class name and their own contents.
    state.emplace_back(entry.Name, entry.ObjectType + u"|" + entry.Value.ToString());
  }
  return state;
}

}  // namespace rxTheme::testing
