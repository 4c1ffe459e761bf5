// Finding a bag's entries by name without a walk over the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include <rxtheme/runtime/wstring.h>
#include "persist/stored_entry.h"

namespace rxTheme {

// An index of a bag's entry names, compared without regard to letter case in
// the sense of LCase. It answers what a walk from the first entry to the last
// would: the position of the FIRST entry with the name, since decoded contents
// may hold one name twice.
//
// Small lists are walked; a longer list gets a hash table of its names on its
// first lookup (so decoding pays nothing for it), which Remove and Append then
// keep in step. A list that holds a name twice is indexed again on its next
// lookup after a change, which only crafted contents make happen.
class NameIndex {
 public:
  static constexpr size_t kNotFound = static_cast<size_t>(-1);
  // Lists up to this long are walked: comparing a few names (most differ in
  // length) costs less than hashing one.
  static constexpr size_t kWalkLimit = 8;

  // What Find answers for a list that is walked.
  static size_t Walk(std::span<const StoredEntry> entries, std::u16string_view name) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (EqualsNoCase(entries[i].Name(), name)) return i;
    }
    return kNotFound;
  }

  // Forgets the index: the list was replaced.
  void Clear();

  size_t Find(std::span<const StoredEntry> entries, std::u16string_view name);

  // Call BEFORE the bag removes entry `position` the way it does: the last
  // entry moves into that position (unless it is the last) and the list
  // shrinks by one.
  void Remove(std::span<const StoredEntry> entries, size_t position);
  // Call AFTER an entry was appended at the end of `entries`.
  void Append(std::span<const StoredEntry> entries);

  // Names that LCase makes equal hash alike.
  static uint32_t Hash(std::u16string_view name);

 private:
  struct Slot {
    uint32_t entry_plus_one = 0;  // 0: empty
    uint32_t hash = 0;
  };

  void Build(std::span<const StoredEntry> entries);
  // Inserts entry `position` unless an earlier entry has the same name.
  void Insert(std::span<const StoredEntry> entries, size_t position);
  // The slot that holds entry `position`, or kNotFound.
  size_t SlotOf(std::span<const StoredEntry> entries, size_t position) const;
  void EraseSlot(size_t slot);

  std::vector<Slot> slots_;  // open addressing, linear probing; size a power of two
  size_t used_ = 0;
  bool built_ = false;
  bool has_repeats_ = false;
};

// A fixed list of names, found without regard to letter case as NameIndex
// finds them: the keys that an object reads back, so that matching a bag's
// entries against them costs one lookup per entry, not one per key.
class NameTable {
 public:
  explicit NameTable(std::vector<WString> names);

  // The position of `name` in the list (the first, should it repeat), or
  // NameIndex::kNotFound. Names written by the list's owner come in list
  // order and in its letter case: a name spelled exactly as one at `from`
  // or after it is taken without hashing.
  size_t Find(std::u16string_view name, size_t from = 0) const;

 private:
  struct Slot {
    uint32_t name_plus_one = 0;  // 0: empty
    uint32_t hash = 0;
  };

  size_t Hashed(std::u16string_view name) const;

  std::vector<WString> names_;
  std::vector<bool> repeated_;  // a name that an earlier one equals without regard to case
  std::vector<Slot> slots_;     // open addressing, linear probing; size a power of two
};

}  // namespace rxTheme
