// Arbitrary bytes as bag contents: decoding, walking the nested bags in
// place, reading every entry back (nested objects and fonts included) and
// encoding what was read. Decoding may only fail with the bag's own "Invalid
// Contents Value"; reading may also fail as a font attribute of the wrong type
// does (type mismatch, overflow). A plain value must read back as the first
// entry of its name holds it, and what the bag writes must decode and write
// back unit for unit. Anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/automation_error.h>
#include "persist/bag_access.h"

namespace {

using namespace rxTheme;

void Check(bool ok) {
  if (!ok) std::abort();
}

// Visits every nested bag the way `rxtheme bag dump` does.
void Walk(const PropertyBagX& bag, int depth) {
  for (size_t i = 0; i < BagAccess::Stored(bag).size(); ++i) {
    const StoredEntry& e = BagAccess::Stored(bag)[i];
    if (e.ObjectType().empty() || e.ObjectType() == u" " || !e.IsText()) continue;
    if (depth >= PropertyBagX::kMaxNesting) continue;
    try {
      Walk(BagAccess::Nested(bag, i), depth + 1);
    } catch (const AutomationError& error) {
      Check(error.Number() == kInvalidContents);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WString contents;
  contents.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) {
    contents.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  PropertyBagX bag;
  try {
    bag.Contents(contents);
  } catch (const AutomationError& e) {
    Check(e.Number() == kInvalidContents);
  }
  Walk(bag, 0);
  const std::vector<PropertyEntry> entries = bag.Entries();
  PropertyBagX out;
  for (const PropertyEntry& entry : entries) {
    try {
      Variant value = bag.ReadProperty(entry.Name);
      out.WriteProperty(entry.Name, value);
      for (const PropertyEntry& first : entries) {
        if (!EqualsNoCase(first.Name, entry.Name)) continue;
        if (first.ObjectType.empty()) {
          Check(value.Type() == first.Value.Type());
          Check(value.IsString() ? value.StringValue() == first.Value.StringValue()
                                 : value.ToImage() == first.Value.ToImage());
        }
        break;
      }
    } catch (const AutomationError& e) {
      const int32_t n = e.Number();
      Check(n == kInvalidContents || n == kTypeMismatch || n == kOverflow);
    }
  }
  const WString again = out.Contents();
  PropertyBagX check;
  check.Contents(again);  // what the bag writes must always decode
  Check(check.Contents() == again);
  return 0;
}
