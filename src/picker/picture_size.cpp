#include "picker/picture_size.h"

#include <cstdint>

namespace rxTheme {
namespace {

uint32_t Byte(std::string_view b, size_t at) { return static_cast<unsigned char>(b[at]); }
uint32_t BigEndian16(std::string_view b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
uint32_t BigEndian32(std::string_view b, size_t at) {
  return BigEndian16(b, at) << 16 | BigEndian16(b, at + 2);
}
uint32_t LittleEndian16(std::string_view b, size_t at) {
  return Byte(b, at + 1) << 8 | Byte(b, at);
}
uint32_t LittleEndian32(std::string_view b, size_t at) {
  return LittleEndian16(b, at + 2) << 16 | LittleEndian16(b, at);
}

std::optional<PictureSize> Sized(uint32_t width, uint32_t height) {
  // Larger than any page could show: taken as a damaged header.
  constexpr uint32_t kLargest = 1u << 16;
  if (width == 0 || height == 0 || width > kLargest || height > kLargest) return std::nullopt;
  return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

// PNG: the signature, then the IHDR chunk with width and height.
std::optional<PictureSize> PngSize(std::string_view b) {
  if (b.size() < 24 || b.substr(12, 4) != "IHDR") return std::nullopt;
  return Sized(BigEndian32(b, 16), BigEndian32(b, 20));
}

// GIF: the logical screen's size follows the six-byte signature.
std::optional<PictureSize> GifSize(std::string_view b) {
  if (b.size() < 10) return std::nullopt;
  return Sized(LittleEndian16(b, 6), LittleEndian16(b, 8));
}

// JPEG: the segments after the start marker up to the first start-of-frame
// marker (C0-CF except DHT C4, JPG C8 and DAC CC), which holds the size.
std::optional<PictureSize> JpegSize(std::string_view b) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (Byte(b, at) != 0xFF) return std::nullopt;
    const uint32_t marker = Byte(b, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;  // markers without a length
      continue;
    }
    const uint32_t length = BigEndian16(b, at + 2);
    if (length < 2) return std::nullopt;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 7 || at + 9 > b.size()) return std::nullopt;
      return Sized(BigEndian16(b, at + 7), BigEndian16(b, at + 5));
    }
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // image data before any frame
    at += 2 + length;
  }
  return std::nullopt;
}

// BMP: the file header (14 bytes), then the size of the info header and the
// size itself: 16-bit in the old 12-byte header, 32-bit signed in the others
// (a negative height is a picture stored top row first).
std::optional<PictureSize> BmpSize(std::string_view b) {
  if (b.size() < 22) return std::nullopt;
  const uint32_t header = LittleEndian32(b, 14);
  if (header == 12) return Sized(LittleEndian16(b, 18), LittleEndian16(b, 20));
  if (header < 40 || b.size() < 26) return std::nullopt;
  const auto width = static_cast<int32_t>(LittleEndian32(b, 18));
  const auto height = static_cast<int32_t>(LittleEndian32(b, 22));
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  return Sized(static_cast<uint32_t>(width), static_cast<uint32_t>(height < 0 ? -height : height));
}

}  // namespace

std::optional<PictureSize> PictureSizeOf(std::string_view bytes) {
  if (bytes.substr(0, 8) == "\x89PNG\r\n\x1a\n") return PngSize(bytes);
  if (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a") return GifSize(bytes);
  if (bytes.substr(0, 3) == "\xFF\xD8\xFF") return JpegSize(bytes);
  if (bytes.substr(0, 2) == "BM") return BmpSize(bytes);
  return std::nullopt;
}

}  // namespace rxTheme
