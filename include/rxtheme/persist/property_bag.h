// The component's property bag: an ordered list of named values that
// persistable objects write their state into and read it back from, and its
// flat form, Contents.
//
// Decoded contents are kept once: the entries refer to ranges of them, a
// nested bag decodes from a range of its parent's, and a string value is
// copied out only when it is read. Restoring a deeply nested state therefore
// holds its contents once, not once per level.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/persist/persistable.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/variant.h>

namespace rxTheme {

class NameIndex;
class NameTable;
class StoredEntry;
struct BagAccess;

// One stored property, copied out of a bag.
struct PropertyEntry {
  WString Name;        // the key, in the letter case of the last write
  WString ObjectType;  // "" plain value; class name; "Font"; " " null reference
  Variant Value;       // plain value, or a nested bag's Contents as a string
};

class RXTHEME_API PropertyBagX : public Object {
 public:
  PropertyBagX();
  ~PropertyBagX() override;
  PropertyBagX(const PropertyBagX& other);
  PropertyBagX(PropertyBagX&& other) noexcept;
  PropertyBagX& operator=(const PropertyBagX& other);
  PropertyBagX& operator=(PropertyBagX&& other) noexcept;
  WString TypeName() const override { return u"PropertyBagX"; }

  // The entries encoded as contents units (one unit 0 for an empty bag).
  WString Contents() const;
  // Empties the bag, then appends every entry decoded from `value`. Malformed
  // contents raise 999; the entries decoded before the fault stay, followed by
  // the entry being decoded with the fields read so far.
  void Contents(WString value);

  // Stores a value under a name (replacing any entry of that name, compared
  // without regard to case). A plain value equal to `default_value` is not
  // stored. Objects are stored as nested contents with their class name;
  // fonts as a nested bag of their attributes; null references as " ".
  void WriteProperty(const WString& name, const Variant& value,
                     const std::optional<Variant>& default_value = std::nullopt);

  // Reads a value back: the default when absent; a new object of the stored
  // class (or the given default object, filled) for nested contents; a null
  // reference for a class that cannot be re-created.
  Variant ReadProperty(std::u16string_view name,
                       const std::optional<Variant>& default_value = std::nullopt);
  // The same with a default that is always given (no optional to build).
  Variant ReadProperty(std::u16string_view name, const Variant& default_value);

  // The entries in order, copied out.
  std::vector<PropertyEntry> Entries() const;

  // Nested objects deeper than this read as null references.
  static constexpr int kMaxNesting = 64;

 private:
  // The component's own access to the stored entries (persist/bag_access.h).
  friend struct BagAccess;

  // first[k] becomes the index of the entry that ReadProperty finds under
  // the k-th name of `keys`, or kNotFound (always, for a name that
  // repeats an earlier one of `keys`): one pass over the entries, for an
  // object that reads many keys of which few are stored.
  RXTHEME_LOCAL void FindEach(const NameTable& keys, std::span<size_t> first) const;

  // What ReadProperty gives, with a default that is no object, under the
  // name by which it finds entry `index` (one that FindEach gave).
  RXTHEME_LOCAL Variant ReadFound(size_t index);

  // The nested bag stored in entry `index`, decoded from the entry's text
  // without copying it; raises 999 as Contents does.
  RXTHEME_LOCAL PropertyBagX Nested(size_t index) const;

  RXTHEME_LOCAL explicit PropertyBagX(int depth);
  // The first entry of `name` (without regard to case), or kNotFound.
  RXTHEME_LOCAL size_t Find(std::u16string_view name);
  static constexpr size_t kNotFound = static_cast<size_t>(-1);
  // Replaces the entries by those decoded from `contents`, a range of
  // `owner`, which the bag keeps.
  RXTHEME_LOCAL void Decode(std::shared_ptr<const WString> owner, std::u16string_view contents);
  // Makes room for the records after unit `position` of `units`, once the
  // entries decoded so far fill the list.
  RXTHEME_LOCAL void ReserveForRest(size_t position, size_t units);
  // The entries encoded, in a string with room for `spare` more units.
  RXTHEME_LOCAL WString Encode(size_t spare) const;
  // A written entry and the one string of its own that its texts live in.
  struct WrittenEntry;
  // An entry of `name` and `type` whose value is Empty, its texts appended
  // to `value_text`; a caller with a text value makes it the entry's with
  // SetValueText.
  RXTHEME_LOCAL static WrittenEntry Written(WString value_text, std::u16string_view name,
                                            std::u16string_view type);
  RXTHEME_LOCAL static void SetValueText(WrittenEntry& written, size_t units);
  RXTHEME_LOCAL void Append(WrittenEntry written);
  // What the texts of entry `index` lie in.
  RXTHEME_LOCAL const std::shared_ptr<const WString>& StorageOf(size_t index) const;
  RXTHEME_LOCAL Variant Read(std::u16string_view name, const Variant& default_value);
  // Reads entry `index`, a nested object or font, as a new object.
  RXTHEME_LOCAL Variant ReadObject(size_t index);

  std::vector<StoredEntry> entries_;
  std::shared_ptr<const WString> contents_;  // what decoded entries refer to
  // written_[i] holds the texts of written entry i (null for a decoded one).
  // It may be shorter than entries_ (empty for a decoded bag): an entry past
  // its end is a decoded one.
  std::vector<std::shared_ptr<const WString>> written_;
  // Made once a lookup needs it: small lists are walked.
  std::unique_ptr<NameIndex> index_;
  int depth_ = 0;
};

}  // namespace rxTheme
