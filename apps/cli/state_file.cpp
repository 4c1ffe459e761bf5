#include "state_file.h"

#include "persist/contents_codec.h"

namespace rxTheme::cli {

std::string ContentsBytes(const WString& contents) {
  std::string bytes;
  bytes.reserve(contents.size() * 2);
  for (char16_t unit : contents) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

WString ContentsFromBytes(const std::string& bytes) {
  if (bytes.size() % 2 != 0) RaiseInvalidContents();
  WString units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return units;
}

}  // namespace rxTheme::cli
