#include "persist/contents_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include <rxtheme/runtime/automation_error.h>

namespace rxTheme {

void RaiseInvalidContents() { RaiseError(kInvalidContents, {}, u"PropertyBagX"); }

void ContentsReader::ReadImage(const char16_t* units, VariantImage& image) {
  VariantImage read;  // `image` is left alone when this one is refused
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(read.data(), units, read.size());  // units little-endian already
  } else {
    for (size_t i = 0; i < 8; ++i) {
      read[2 * i] = static_cast<uint8_t>(units[i] & 0xFF);
      read[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
    }
  }
  if (!ClearUnusedImageBytes(read)) RaiseInvalidContents();
  image = read;
}

ContentsWriter::ContentsWriter(WString& out, size_t units) {
  out.resize(units);
  next_ = out.data();
}

void ContentsWriter::Text(uint16_t tag, std::u16string_view text) {
  if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    RaiseError(kOverflow);
  }
  const uint32_t length = static_cast<uint32_t>(text.size());
  next_[0] = static_cast<char16_t>(tag);
  next_[1] = static_cast<char16_t>(length & 0xFFFF);
  next_[2] = static_cast<char16_t>(length >> 16);
  if (length != 0) std::memcpy(next_ + 3, text.data(), length * sizeof(char16_t));
  next_ += 3 + length;
}

void ContentsWriter::Image(const VariantImage& image) {
  next_[0] = kTagVariant;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(next_ + 1, image.data(), image.size());
  } else {
    for (size_t i = 0; i < 8; ++i) {
      next_[1 + i] = static_cast<char16_t>(image[2 * i] | (image[2 * i + 1] << 8));
    }
  }
  next_ += kImageSize;
}

WString EncodeLength(int32_t length) {
  uint32_t bits = static_cast<uint32_t>(length);
  return WString{static_cast<char16_t>(bits & 0xFFFF), static_cast<char16_t>(bits >> 16)};
}

WString EncodeField(const Variant& value, std::optional<uint16_t> tag) {
  WString out;
  if (value.IsString()) {
    const uint16_t t = tag.value_or(kTagString);
    if (t < kTagName || t > kTagString) RaiseError(kInvalidProcedureCall);
    ContentsWriter(out, ContentsWriter::TextSize(value.StringValue())).Text(t, value.StringValue());
    return out;
  }
  const VariantImage image = value.ToImage();  // raises 13 for an object
  ContentsWriter(out, ContentsWriter::kImageSize).Image(image);
  return out;
}

Variant DecodeField(const WString& contents, int32_t& position,
                    std::optional<uint16_t> expected_tag) {
  if (position < 1) RaiseInvalidContents();
  ContentsReader reader(std::u16string_view(contents).substr(
      std::min(contents.size(), static_cast<size_t>(position - 1))));
  Variant value;
  if (expected_tag && (*expected_tag < kTagName || *expected_tag > kTagVariant)) {
    RaiseInvalidContents();  // no field carries such a tag
  }
  if (expected_tag && *expected_tag != kTagVariant) {
    value = Variant(WString(reader.Text(*expected_tag)));
  } else {
    std::u16string_view text;
    VariantImage image;
    const bool is_text = reader.Value(text, image);
    if (expected_tag && is_text) RaiseInvalidContents();  // expected 4, found text
    value = is_text ? Variant(WString(text)) : *Variant::FromImage(image);
  }
  const int64_t next = static_cast<int64_t>(position) + static_cast<int64_t>(reader.Position());
  position = static_cast<int32_t>(std::min<int64_t>(next, std::numeric_limits<int32_t>::max()));
  return value;
}

}  // namespace rxTheme
