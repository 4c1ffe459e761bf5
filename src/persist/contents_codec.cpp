#include "persist/contents_codec.h"

#include <algorithm>
#include <limits>

#include "runtime/automation_error.h"

namespace rxTheme {

void RaiseInvalidContents() { RaiseError(kInvalidContents, {}, u"PropertyBagX"); }

WString EncodeLength(int32_t length) {
  uint32_t bits = static_cast<uint32_t>(length);
  return WString{static_cast<char16_t>(bits & 0xFFFF), static_cast<char16_t>(bits >> 16)};
}

size_t EncodedFieldSize(const Variant& value) {
  return value.IsString() ? 3 + value.StringValue().size() : 9;
}

void AppendField(WString& out, const Variant& value, std::optional<uint16_t> tag) {
  if (value.IsString()) {
    uint16_t t = tag.value_or(kTagString);
    if (t < kTagName || t > kTagString) RaiseError(kInvalidProcedureCall);
    const WString& text = value.StringValue();
    if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      RaiseError(kOverflow);
    }
    out.push_back(static_cast<char16_t>(t));
    out += EncodeLength(static_cast<int32_t>(text.size()));
    out += text;
    return;
  }
  if (value.IsObject()) RaiseError(kTypeMismatch);
  VariantImage image = value.ToImage();
  out.push_back(static_cast<char16_t>(kTagVariant));
  for (size_t i = 0; i < image.size(); i += 2) {
    out.push_back(static_cast<char16_t>(image[i] | (image[i + 1] << 8)));
  }
}

WString EncodeField(const Variant& value, std::optional<uint16_t> tag) {
  WString out;
  out.reserve(EncodedFieldSize(value));
  AppendField(out, value, tag);
  return out;
}

WString DecodeText(const WString& contents, int32_t& position, uint16_t expected_tag) {
  const int64_t n = static_cast<int64_t>(contents.size());
  const int64_t p = position;  // 1-based index of the tag unit
  if (p < 1 || p > n) RaiseInvalidContents();
  if (contents[p - 1] != expected_tag || expected_tag < kTagName || expected_tag > kTagString) {
    RaiseInvalidContents();
  }
  if (p + 2 > n) RaiseInvalidContents();
  const int32_t length = static_cast<int32_t>(static_cast<uint32_t>(contents[p]) |
                                              (static_cast<uint32_t>(contents[p + 1]) << 16));
  if (length < 0) RaiseInvalidContents();
  // The text starts at 0-based index p + 2; a length that runs past the end
  // takes what remains, so the copy is never larger than the input.
  const int64_t start = p + 2;
  const int64_t take = std::min<int64_t>(length, n - start);
  const int64_t next = p + 3 + static_cast<int64_t>(length);
  position = static_cast<int32_t>(std::min<int64_t>(next, std::numeric_limits<int32_t>::max()));
  return contents.substr(static_cast<size_t>(start), static_cast<size_t>(take));
}

Variant DecodeField(const WString& contents, int32_t& position,
                    std::optional<uint16_t> expected_tag) {
  const int64_t n = static_cast<int64_t>(contents.size());
  const int64_t p = position;  // 1-based index of the tag unit
  if (p < 1 || p > n) RaiseInvalidContents();
  const uint16_t tag = contents[p - 1];
  if (tag < kTagName || tag > kTagVariant) RaiseInvalidContents();
  if (expected_tag && *expected_tag != tag) RaiseInvalidContents();

  if (tag == kTagVariant) {
    if (p + 8 > n) RaiseInvalidContents();
    VariantImage image;
    for (int64_t i = 0; i < 8; ++i) {
      char16_t unit = contents[p + i];
      image[2 * i] = static_cast<uint8_t>(unit & 0xFF);
      image[2 * i + 1] = static_cast<uint8_t>(unit >> 8);
    }
    std::optional<Variant> value = Variant::FromImage(image);
    if (!value) RaiseInvalidContents();
    position = static_cast<int32_t>(p + 9);
    return *value;
  }

  return Variant(DecodeText(contents, position, tag));
}

}  // namespace rxTheme
