#include "persist/name_index.h"

#include <bit>
#include <cstring>
#include <utility>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

namespace {

constexpr size_t kMinSlots = 16;

}  // namespace

uint32_t NameIndex::Hash(std::u16string_view name) {
  // Every unit is taken with its 0x20 bit set: LCase only ever adds 0x20 (to
  // capitals, whose 0x20 bit is clear), so names it makes equal hash alike;
  // the other pairs this joins cost one comparison. Four units at a time.
  constexpr uint64_t kCaseBits = 0x0020002000200020;
  constexpr uint64_t kMul = 0x9E3779B97F4A7C15;
  uint64_t h = name.size() * kMul;
  size_t i = 0;
  for (; i + 4 <= name.size(); i += 4) {
    uint64_t chunk;
    std::memcpy(&chunk, name.data() + i, sizeof chunk);
    h = std::rotl(h, 23) ^ ((chunk | kCaseBits) * kMul);
  }
  uint64_t tail = 0;
  for (; i < name.size(); ++i) tail = tail << 16 | (name[i] | 0x20u);
  h = std::rotl(h, 23) ^ (tail * kMul);
  h ^= h >> 29;
  h *= kMul;
  return static_cast<uint32_t>(h >> 32);
}

void NameIndex::Clear() {
  slots_.clear();
  used_ = 0;
  built_ = false;
  has_repeats_ = false;
}

size_t NameIndex::Find(std::span<const StoredEntry> entries, std::u16string_view name) {
  if (!built_) {
    if (entries.size() <= kWalkLimit) return Walk(entries, name);
    Build(entries);
  }
  const uint32_t h = Hash(name);
  const size_t mask = slots_.size() - 1;
  for (size_t s = h & mask; slots_[s].entry_plus_one != 0; s = (s + 1) & mask) {
    const size_t entry = slots_[s].entry_plus_one - 1;
    if (slots_[s].hash == h && EqualsNoCase(entries[entry].Name(), name)) return entry;
  }
  return kNotFound;
}

void NameIndex::Remove(std::span<const StoredEntry> entries, size_t position) {
  if (!built_) return;
  if (has_repeats_) {
    built_ = false;
    return;
  }
  // Without repeated names every entry has its own slot.
  const size_t removed = SlotOf(entries, position);
  const size_t last = entries.size() - 1;
  const size_t moved = position == last ? kNotFound : SlotOf(entries, last);
  if (removed == kNotFound || (position != last && moved == kNotFound)) {
    built_ = false;  // not expected; index again rather than answer wrongly
    return;
  }
  if (moved != kNotFound) slots_[moved].entry_plus_one = static_cast<uint32_t>(position + 1);
  EraseSlot(removed);
}

void NameIndex::Append(std::span<const StoredEntry> entries) {
  if (!built_) return;
  if (has_repeats_ || (used_ + 1) * 2 > slots_.size()) {
    built_ = false;
    return;
  }
  Insert(entries, entries.size() - 1);
}

void NameIndex::Build(std::span<const StoredEntry> entries) {
  size_t size = kMinSlots;
  while (size < entries.size() * 2) size *= 2;
  slots_.assign(size, Slot{});
  used_ = 0;
  has_repeats_ = false;
  built_ = true;
  for (size_t i = 0; i < entries.size(); ++i) Insert(entries, i);
}

void NameIndex::Insert(std::span<const StoredEntry> entries, size_t position) {
  const std::u16string_view name = entries[position].Name();
  const uint32_t h = Hash(name);
  const size_t mask = slots_.size() - 1;
  size_t s = h & mask;
  for (; slots_[s].entry_plus_one != 0; s = (s + 1) & mask) {
    if (slots_[s].hash == h && EqualsNoCase(entries[slots_[s].entry_plus_one - 1].Name(), name)) {
      has_repeats_ = true;  // the earlier entry keeps the slot
      return;
    }
  }
  slots_[s] = {static_cast<uint32_t>(position + 1), h};
  ++used_;
}

size_t NameIndex::SlotOf(std::span<const StoredEntry> entries, size_t position) const {
  const size_t mask = slots_.size() - 1;
  for (size_t s = Hash(entries[position].Name()) & mask; slots_[s].entry_plus_one != 0;
       s = (s + 1) & mask) {
    if (slots_[s].entry_plus_one == position + 1) return s;
  }
  return kNotFound;
}

// Backward-shift deletion: later slots of the same probe run move up into
// the hole, so that no lookup stops early at it.
void NameIndex::EraseSlot(size_t slot) {
  const size_t mask = slots_.size() - 1;
  size_t hole = slot;
  for (size_t s = (hole + 1) & mask; slots_[s].entry_plus_one != 0; s = (s + 1) & mask) {
    const size_t home = slots_[s].hash & mask;
    const bool reachable_past_hole =
        hole <= s ? (home > hole && home <= s) : (home > hole || home <= s);
    if (!reachable_past_hole) {
      slots_[hole] = slots_[s];
      hole = s;
    }
  }
  slots_[hole] = Slot{};
  --used_;
}

NameTable::NameTable(std::vector<WString> names)
    : names_(std::move(names)), repeated_(names_.size()) {
  size_t size = kMinSlots;
  while (size < names_.size() * 2) size *= 2;
  slots_.assign(size, Slot{});
  for (size_t i = 0; i < names_.size(); ++i) {
    if (Hashed(names_[i]) != NameIndex::kNotFound) {
      repeated_[i] = true;  // the first keeps its slot
      continue;
    }
    const uint32_t h = NameIndex::Hash(names_[i]);
    size_t s = h & (size - 1);
    while (slots_[s].name_plus_one != 0) s = (s + 1) & (size - 1);
    slots_[s] = {static_cast<uint32_t>(i + 1), h};
  }
}

size_t NameTable::Find(std::u16string_view name, size_t from) const {
  for (size_t i = from; i < names_.size(); ++i) {
    const WString& n = names_[i];
    if (n.size() == name.size() && !repeated_[i] &&
        std::memcmp(n.data(), name.data(), name.size() * sizeof(char16_t)) == 0) {
      return i;
    }
  }
  return Hashed(name);
}

size_t NameTable::Hashed(std::u16string_view name) const {
  const uint32_t h = NameIndex::Hash(name);
  const size_t mask = slots_.size() - 1;
  for (size_t s = h & mask; slots_[s].name_plus_one != 0; s = (s + 1) & mask) {
    const size_t at = slots_[s].name_plus_one - 1;
    if (slots_[s].hash == h && EqualsNoCase(names_[at], name)) return at;
  }
  return NameIndex::kNotFound;
}

}  // namespace rxTheme
