// The component's own access to a bag's stored entries: what the settings
// objects and sections restore from without copying, and what tools that
// inspect saved state walk. Not part of the public bag.
#pragma once

#include <cstddef>
#include <span>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/variant.h>
#include "persist/name_index.h"
#include "persist/stored_entry.h"

namespace rxTheme {

struct BagAccess {
  // The entries in order, as the bag holds them (see StoredEntry).
  static std::span<const StoredEntry> Stored(const PropertyBagX& bag) { return bag.entries_; }

  // The nested bag stored in entry `index`, decoded from the entry's text
  // without copying it; raises 999 as Contents does.
  static PropertyBagX Nested(const PropertyBagX& bag, size_t index) { return bag.Nested(index); }

  // first[k] becomes the index of the entry that ReadProperty finds under the
  // k-th name of `keys`, or NameIndex::kNotFound (always, for a name that
  // repeats an earlier one of `keys`): one pass over the entries, for an
  // object that reads many keys of which few are stored.
  static void FindEach(const PropertyBagX& bag, const NameTable& keys, std::span<size_t> first) {
    bag.FindEach(keys, first);
  }

  // What ReadProperty gives, with a default that is no object, under the name
  // by which it finds entry `index` (one that FindEach gave).
  static Variant ReadFound(PropertyBagX& bag, size_t index) { return bag.ReadFound(index); }

  static_assert(PropertyBagX::kNotFound == NameIndex::kNotFound);
};

}  // namespace rxTheme
