// The byte layout of a property bag's contents: records of three fields
// (name, object type, value), each field a tag unit followed by a
// length-prefixed text or a 16-byte variant image. The layout is permanent:
// contents written by any version must decode identically in every later one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/variant.h"
#include "runtime/wstring.h"

namespace rxTheme {

enum FieldTag : uint16_t {
  kTagName = 1,
  kTagObjectType = 2,
  kTagString = 3,
  kTagVariant = 4,
};

// The two length units of a count: low 16 bits, then high 16 bits.
WString EncodeLength(int32_t length);

// One field. A string value becomes a length-prefixed field with `tag` (1, 2
// or 3; 3 when no tag is given); any other scalar value becomes a tag-4 field
// with its variant image. Objects raise 13.
WString EncodeField(const Variant& value, std::optional<uint16_t> tag = std::nullopt);
// EncodeField appending to `out`, so that a whole list encodes in one buffer.
void AppendField(WString& out, const Variant& value, std::optional<uint16_t> tag = std::nullopt);
// The number of units that EncodeField gives for `value`.
size_t EncodedFieldSize(const Variant& value);

// Reads one field at `position` (1-based unit index), checks it against
// `expected_tag` when one is given, advances `position` past the field and
// returns a string (tags 1-3) or the decoded variant (tag 4). A string whose
// length runs past the end is cut there. Every malformed field raises 999
// "Invalid Contents Value" with source "PropertyBagX"; nothing is read past
// the end and no length from the input drives an allocation.
Variant DecodeField(const WString& contents, int32_t& position,
                    std::optional<uint16_t> expected_tag = std::nullopt);

// DecodeField for a field that must be text with tag `expected_tag` (1, 2 or
// 3): the same checks and errors, without a variant in between.
WString DecodeText(const WString& contents, int32_t& position, uint16_t expected_tag);

// Raises the bag's error 999.
[[noreturn]] void RaiseInvalidContents();

}  // namespace rxTheme
