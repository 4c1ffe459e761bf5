// The byte layout of a property bag's contents: records of three fields
// (name, object type, value), each field a tag unit followed by a
// length-prefixed text or a 16-byte variant image. The layout is permanent:
// contents written by any version must decode identically in every later one.
//
// Everything that knows the layout is here: ContentsReader walks contents in
// place (texts come back as views into them, never copies), ContentsWriter
// fills a buffer sized once, and EncodeField / DecodeField give one field as
// a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/variant.h"
#include "runtime/wstring.h"

namespace rxTheme {

enum FieldTag : uint16_t {
  kTagName = 1,
  kTagObjectType = 2,
  kTagString = 3,
  kTagVariant = 4,
};

// Raises the bag's error 999, "Invalid Contents Value" from "PropertyBagX".
[[noreturn]] void RaiseInvalidContents();

// Reads fields one after the other from the start of `contents`, which must
// outlive the texts it hands out. Every malformed field raises 999 "Invalid
// Contents Value" with source "PropertyBagX": a tag other than 1-4 or other
// than the one expected, a negative length, or a tag, length or image cut off
// by the end. A text whose length runs past the end is cut there, and the
// reader then stands past the end. Nothing is read past the end.
class ContentsReader {
 public:
  explicit ContentsReader(std::u16string_view contents) : contents_(contents) {}

  // Whether another record starts here: at least two units remain. A single
  // unit left at the end is ignored (it is how an empty bag is written).
  bool AtRecord() const { return position_ + 1 < contents_.size(); }

  // A text field that must carry `expected_tag` (1, 2 or 3).
  std::u16string_view Text(uint16_t expected_tag) {
    if (position_ >= contents_.size() || contents_[position_] != expected_tag) {
      RaiseInvalidContents();
    }
    return TextAfterTag();
  }

  // A value field: any of the four tags. Returns true with `text` set for a
  // text (tags 1-3), false with `image` set for a tag-4 image; the image's
  // type code is a scalar one and its unused bytes are cleared.
  bool Value(std::u16string_view& text, VariantImage& image) {
    if (position_ < contents_.size() && contents_[position_] >= kTagName &&
        contents_[position_] <= kTagString) {
      text = TextAfterTag();
      return true;
    }
    Image(image);
    return false;
  }

  // The 0-based unit index of the next field (may stand past the end).
  size_t Position() const { return position_; }

 private:
  // Length and text after a tag 1-3 at position_.
  std::u16string_view TextAfterTag() {
    const size_t left = contents_.size() - position_;
    if (left < 3) RaiseInvalidContents();
    const uint32_t length = static_cast<uint32_t>(contents_[position_ + 1]) |
                            static_cast<uint32_t>(contents_[position_ + 2]) << 16;
    if (length > 0x7FFFFFFFu) RaiseInvalidContents();  // a negative length
    const size_t start = position_ + 3;
    position_ = start + length;
    return {contents_.data() + start, length < left - 3 ? length : left - 3};
  }
  // A tag-4 field at position_; raises for any other tag.
  void Image(VariantImage& image);

  std::u16string_view contents_;
  size_t position_ = 0;
};

// Writes fields into a buffer that was sized for them with the Size
// functions.
class ContentsWriter {
 public:
  // Units of a text field, and of an image field.
  static size_t TextSize(std::u16string_view text) { return 3 + text.size(); }
  static constexpr size_t kImageSize = 9;

  // Resizes `out` to `units` and writes from its start.
  ContentsWriter(WString& out, size_t units);

  // A text field with `tag`. A text longer than a length can say raises 6.
  void Text(uint16_t tag, std::u16string_view text);
  void Image(const VariantImage& image);

 private:
  char16_t* next_;
};

// The contents of a bag without entries: this one unit.
inline constexpr char16_t kEmptyBagUnit = 0;

// The two length units of a count: low 16 bits, then high 16 bits.
WString EncodeLength(int32_t length);

// One field. A string value becomes a length-prefixed field with `tag` (1, 2
// or 3; 3 when no tag is given); any other scalar value becomes a tag-4 field
// with its variant image. Objects raise 13.
WString EncodeField(const Variant& value, std::optional<uint16_t> tag = std::nullopt);

// Reads one field at `position` (1-based unit index), checks it against
// `expected_tag` when one is given, advances `position` past the field and
// returns a string (tags 1-3) or the decoded variant (tag 4), with the
// reader's errors and cut-off rule.
Variant DecodeField(const WString& contents, int32_t& position,
                    std::optional<uint16_t> expected_tag = std::nullopt);

}  // namespace rxTheme
