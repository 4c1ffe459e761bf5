// TextSlots<N>: the texts of one settings object, N of them, kept in a single
// buffer. A graphics object holds 85 texts of which a page's theme sets a few
// dozen; one buffer instead of 85 strings makes the object a tenth of the size
// and a restore one allocation per object instead of one per long text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string_view>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

template <size_t N>
class TextSlots {
 public:
  // Slot `i` (no range check). The view is valid until the next Assign,
  // Clear or Reserve.
  std::u16string_view operator[](size_t i) const {
    return {texts_.data() + slots_[i].offset, slots_[i].length};
  }
  // Whether every slot is empty.
  bool AllEmpty() const { return live_ == 0; }

  // Stores a copy of `text` in slot `i`; `text` may be a view of any slot. A
  // text that does not fit the slot's current room goes to the end of the
  // buffer; the buffer is packed again once most of it is unused. Raises 7
  // when the buffer would pass 2^32 units.
  void Assign(size_t i, std::u16string_view text);
  void Clear(size_t i) {
    live_ -= slots_[i].length;
    slots_[i] = {};
  }
  // Room for `units` more units at the end of the buffer, so that as many
  // units of new texts cost at most one allocation.
  void Reserve(size_t units) { texts_.reserve(texts_.size() + units); }

 private:
  struct Slot {
    uint32_t offset = 0;
    uint32_t length = 0;
  };
  // Rewrites the buffer with only the texts that slots hold.
  void Pack();

  std::array<Slot, N> slots_{};
  WString texts_;
  size_t live_ = 0;  // the sum of the slots' lengths
};

template <size_t N>
void TextSlots<N>::Assign(size_t i, std::u16string_view text) {
  Slot& slot = slots_[i];
  if (text.size() <= slot.length) {  // fits where the old text is
    if (!text.empty()) {
      std::memmove(texts_.data() + slot.offset, text.data(), text.size() * sizeof(char16_t));
    }
    live_ -= slot.length - text.size();
    slot.length = static_cast<uint32_t>(text.size());
    return;
  }
  const std::less<const char16_t*> before;
  if (!before(text.data(), texts_.data()) && before(text.data(), texts_.data() + texts_.size())) {
    const WString copy(text);  // a view of another slot: appending may move the buffer
    return Assign(i, copy);
  }
  live_ -= slot.length;
  slot = {};
  constexpr size_t kPackAbove = 64;  // smaller buffers are left as they are
  if (texts_.size() > kPackAbove && texts_.size() - live_ > live_ + text.size()) Pack();
  if (text.size() > std::numeric_limits<uint32_t>::max() - texts_.size()) RaiseError(kOutOfMemory);
  slot.offset = static_cast<uint32_t>(texts_.size());
  slot.length = static_cast<uint32_t>(text.size());
  texts_.append(text);
  live_ += text.size();
}

template <size_t N>
void TextSlots<N>::Pack() {
  WString packed;
  packed.reserve(live_);
  for (Slot& slot : slots_) {
    const size_t offset = packed.size();
    packed.append(texts_, slot.offset, slot.length);
    slot.offset = static_cast<uint32_t>(offset);
  }
  texts_ = std::move(packed);
}

}  // namespace rxTheme
