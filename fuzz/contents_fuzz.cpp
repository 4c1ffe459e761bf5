// Arbitrary bytes as bag contents: decoding, reading every entry back (nested
// objects and fonts included) and encoding what was read. Decoding may only
// fail with the bag's own "Invalid Contents Value"; reading may also fail as a
// font attribute of the wrong type does (type mismatch, overflow). Anything
// else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "persist/property_bag.h"
#include "runtime/automation_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  WString contents;
  contents.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) {
    contents.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  PropertyBagX bag;
  try {
    bag.Contents(contents);
  } catch (const AutomationError& e) {
    if (e.Number() != kInvalidContents) std::abort();
  }
  PropertyBagX out;
  for (const PropertyEntry& entry : bag.Entries()) {
    try {
      Variant value = bag.ReadProperty(entry.Name);
      out.WriteProperty(entry.Name, value);
    } catch (const AutomationError& e) {
      const int32_t n = e.Number();
      if (n != kInvalidContents && n != kTypeMismatch && n != kOverflow) std::abort();
    }
  }
  WString again = out.Contents();
  PropertyBagX check;
  check.Contents(again);  // what the bag writes must always decode
  return 0;
}
