#include "persist/contents_image.h"

#include "persist/contents_codec.h"
#include <rxtheme/persist/property_bag.h>

namespace rxTheme {

namespace {

// Walks every record of `contents` and of the bags nested in it. Stricter
// than decoding, which cuts a text whose length runs past the end and
// ignores a stray unit at the end: saved state that was cut off anywhere
// fails here.
void CheckRecords(std::u16string_view contents, int depth) {
  if (contents.size() == 1 && contents[0] == 0) return;  // an empty bag
  ContentsReader reader(contents);
  while (reader.AtRecord()) {
    reader.Text(kTagName);
    const std::u16string_view type = reader.Text(kTagObjectType);
    std::u16string_view text;
    VariantImage image;
    const bool is_text = reader.Value(text, image);
    if (reader.Position() > contents.size()) RaiseInvalidContents();
    if (is_text && !type.empty() && type != u" " && depth < PropertyBagX::kMaxNesting) {
      CheckRecords(text, depth + 1);
    }
  }
  if (reader.Position() != contents.size()) RaiseInvalidContents();
}

}  // namespace

std::string ContentsBytes(std::u16string_view contents) {
  std::string bytes;
  bytes.reserve(contents.size() * 2);
  for (char16_t unit : contents) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

WString ContentsFromBytes(std::string_view bytes) {
  if (bytes.size() % 2 != 0) RaiseInvalidContents();
  WString units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return units;
}

void CheckContents(std::u16string_view contents) { CheckRecords(contents, 0); }

}  // namespace rxTheme
