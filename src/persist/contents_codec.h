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

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

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
  explicit ContentsReader(std::u16string_view contents)
      : begin_(contents.data()), next_(begin_), end_(begin_ + contents.size()) {}

  // Whether another record starts here: at least two units remain. A single
  // unit left at the end is ignored (it is how an empty bag is written).
  bool AtRecord() const { return end_ - next_ >= 2; }

  // A text field that must carry `expected_tag` (1, 2 or 3).
  std::u16string_view Text(uint16_t expected_tag) {
    if (next_ == end_ || *next_ != expected_tag) RaiseInvalidContents();
    return TextAfterTag();
  }

  // A value field: any of the four tags. Returns true with `text` set for a
  // text (tags 1-3), false with `image` set for a tag-4 image; the image's
  // type code is a scalar one and its unused bytes are cleared.
  bool Value(std::u16string_view& text, VariantImage& image) {
    if (next_ != end_ && static_cast<uint16_t>(*next_ - kTagName) <= kTagString - kTagName) {
      text = TextAfterTag();
      return true;
    }
    Image(image);
    return false;
  }

  // The 0-based unit index of the next field (may stand past the end).
  size_t Position() const { return static_cast<size_t>(next_ - begin_) + beyond_end_; }

 private:
  // The two length units at `at`, low then high, as one count.
  static uint32_t Length(const char16_t* at) {
    if constexpr (std::endian::native == std::endian::little) {
      uint32_t length;  // the two units in memory are the count's four bytes
      std::memcpy(&length, at, sizeof length);
      return length;
    } else {
      return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 16;
    }
  }

  // Length and text after a tag 1-3 at next_.
  std::u16string_view TextAfterTag() {
    const size_t left = static_cast<size_t>(end_ - next_);
    if (left < 3) RaiseInvalidContents();
    const uint32_t length = Length(next_ + 1);
    if (length > 0x7FFFFFFFu) RaiseInvalidContents();  // a negative length
    const char16_t* text = next_ + 3;
    if (length == 0) {
      // An empty text (the object type of every plain value) gets a branch
      // of its own: where the next field starts then does not wait for the
      // length's load, so the walk runs ahead while that load completes.
      next_ = text;
      return {text, 0};
    }
    const size_t room = left - 3;
    if (length <= room) {
      next_ = text + length;
      return {text, length};
    }
    next_ = end_;  // cut at the end; the reader stands past it
    beyond_end_ = length - room;
    return {text, room};
  }
  // A tag-4 field at next_; raises for any other tag. Inline, so that the
  // reader's position stays in registers through a bag's decoding loop.
  inline void Image(VariantImage& image);
  // The image in the eight units at `units`, its unused bytes cleared; raises
  // for a type code that is not a scalar one, leaving `image` alone.
  static void ReadImage(const char16_t* units, VariantImage& image);

  const char16_t* begin_;
  const char16_t* next_;
  const char16_t* end_;
  size_t beyond_end_ = 0;  // how far a cut text's length ran past the end
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

void ContentsReader::Image(VariantImage& image) {
  if (next_ == end_ || *next_ != kTagVariant ||
      static_cast<size_t>(end_ - next_) < ContentsWriter::kImageSize) {
    RaiseInvalidContents();
  }
  ReadImage(next_ + 1, image);
  next_ += ContentsWriter::kImageSize;
}

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
