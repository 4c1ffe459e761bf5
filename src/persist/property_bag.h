// The component's property bag: an ordered list of named values that
// persistable objects write their state into and read it back from, and its
// flat form, Contents.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "persist/persistable.h"
#include "runtime/object.h"
#include "runtime/variant.h"

namespace rxTheme {

// One stored property.
struct PropertyEntry {
  WString Name;        // the key, in the letter case of the last write
  WString ObjectType;  // "" plain value; class name; "Font"; " " null reference
  Variant Value;       // plain value, or a nested bag's Contents as a string
};

class PropertyBagX : public Object {
 public:
  PropertyBagX();
  WString TypeName() const override { return u"PropertyBagX"; }

  // The entries encoded as contents units (one unit 0 for an empty bag).
  WString Contents() const;
  // Empties the bag, then appends every entry decoded from `value`. Malformed
  // contents raise 999; the entries decoded before the fault stay.
  void Contents(const WString& value);

  // Stores a value under a name (replacing any entry of that name, compared
  // without regard to case). A plain value equal to `default_value` is not
  // stored. Objects are stored as nested contents with their class name;
  // fonts as a nested bag of their attributes; null references as " ".
  void WriteProperty(const WString& name, const Variant& value,
                     const std::optional<Variant>& default_value = std::nullopt);

  // Reads a value back: the default when absent; a new object of the stored
  // class (or the given default object, filled) for nested contents; a null
  // reference for a class that cannot be re-created.
  Variant ReadProperty(const WString& name,
                       const std::optional<Variant>& default_value = std::nullopt);

  // The entries in order, for tools that inspect saved state.
  const std::vector<PropertyEntry>& Entries() const { return entries_; }

  // Nested objects deeper than this read as null references.
  static constexpr int kMaxNesting = 64;

 private:
  explicit PropertyBagX(int depth);
  void Reset();
  int32_t FindProperty(const WString& name) const;  // 1-based, 0 if absent
  void Append(PropertyEntry entry);

  std::vector<PropertyEntry> entries_;
  int depth_ = 0;
};

}  // namespace rxTheme
