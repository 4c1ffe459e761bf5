// Helpers shared by the three settings objects.
#pragma once

#include <cstddef>
#include <cstdint>

#include "persist/property_bag.h"
#include "runtime/wstring.h"

namespace rxTheme {

// The array position of theme-value variant `index`; raises 9 unless it is 0
// or 1.
size_t VariantSlot(int16_t index);

// `folder` with kPathSeparator appended when it does not end with one.
WString WithTrailingSeparator(const WString& folder);

// The effective value: `custom` when it is set and custom settings are on,
// else theme() when theme settings are on, else "".
template <class ThemeValue>
WString EffectiveValue(const WString& custom, bool use_custom, bool use_theme, ThemeValue theme) {
  if (!custom.empty() && use_custom) return custom;
  if (use_theme) return theme();
  return {};
}

// Raises 9 for a string-property position out of range.
[[noreturn]] void RaiseNoSuchProperty();

// Plain values with their defaults: "" for strings, the given flag default,
// 0 for the variant index. Reads convert with ToString, ToBool and ToI2.
void WriteString(PropertyBagX& bag, const WString& key, const WString& value);
WString ReadString(PropertyBagX& bag, const WString& key);
void WriteFlag(PropertyBagX& bag, const WString& key, bool value, bool default_value);
bool ReadFlag(PropertyBagX& bag, const WString& key, bool default_value);
void WriteIndex(PropertyBagX& bag, int16_t value);
int16_t ReadIndex(PropertyBagX& bag);

}  // namespace rxTheme
