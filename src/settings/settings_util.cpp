#include "settings/settings_util.h"

#include "platform/env.h"
#include "runtime/automation_error.h"
#include "runtime/variant.h"

namespace rxTheme {

size_t VariantSlot(int16_t index) {
  if (index != 0 && index != 1) RaiseError(kSubscriptOutOfRange);
  return static_cast<size_t>(index);
}

WString WithTrailingSeparator(const WString& folder) {
  if (!folder.empty() && folder.back() == kPathSeparator) return folder;
  return folder + kPathSeparator;
}

void RaiseNoSuchProperty() { RaiseError(kSubscriptOutOfRange); }

void WriteString(PropertyBagX& bag, const WString& key, const WString& value) {
  bag.WriteProperty(key, Variant(value), Variant(u""));
}

WString ReadString(PropertyBagX& bag, const WString& key) {
  return bag.ReadProperty(key, Variant(u"")).ToString();
}

void WriteFlag(PropertyBagX& bag, const WString& key, bool value, bool default_value) {
  bag.WriteProperty(key, Variant::Bool(value), Variant::Bool(default_value));
}

bool ReadFlag(PropertyBagX& bag, const WString& key, bool default_value) {
  return bag.ReadProperty(key, Variant::Bool(default_value)).ToBool();
}

void WriteIndex(PropertyBagX& bag, int16_t value) {
  bag.WriteProperty(u"Index", Variant::I2(value), Variant::I2(0));
}

int16_t ReadIndex(PropertyBagX& bag) { return bag.ReadProperty(u"Index", Variant::I2(0)).ToI2(); }

}  // namespace rxTheme
