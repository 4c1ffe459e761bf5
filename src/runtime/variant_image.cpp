// The 16-byte variant image: type code in bytes 0-1, reserved bytes 2-7, the
// value little-endian from byte 8 (a decimal also uses bytes 2-7).
#include <array>
#include <cstring>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/variant.h>

namespace rxTheme {

namespace {

constexpr size_t kValueAt = 8;

// The value bytes that a type uses from byte 8; -1 for a code that is not
// taken from an image.
constexpr int ValueWidth(uint16_t code) {
  switch (static_cast<VarType>(code)) {
    case VarType::Empty:
    case VarType::Null:
      return 0;
    case VarType::UI1:
      return 1;
    case VarType::I2:
    case VarType::Bool:
      return 2;
    case VarType::I4:
    case VarType::R4:
    case VarType::Error:
      return 4;
    case VarType::R8:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Decimal:
      return 8;
    default:
      return -1;
  }
}

uint16_t TypeCode(std::span<const uint8_t, 16> image) {
  return static_cast<uint16_t>(image[0] | (image[1] << 8));
}

void PutLE(VariantImage& image, size_t at, uint64_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t GetLE(std::span<const uint8_t, 16> image, size_t at, size_t bytes) {
  uint64_t v = 0;
  for (size_t i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(image[at + i]) << (8 * i);
  return v;
}

// The scalar codes run up to UI1; each has a mask of the bytes it uses (the
// type code, a decimal's bytes 2-7, its value bytes), so that clearing the rest
// is one AND of the image. Codes that FromImage refuses have a mask of zeros.
constexpr size_t kMaskedCodes = static_cast<size_t>(VarType::UI1) + 1;

constexpr std::array<VariantImage, kMaskedCodes> UsedByteMasks() {
  std::array<VariantImage, kMaskedCodes> masks{};
  for (size_t code = 0; code < kMaskedCodes; ++code) {
    const int width = ValueWidth(static_cast<uint16_t>(code));
    if (width < 0) continue;
    VariantImage& mask = masks[code];
    const size_t used_from_2 = code == static_cast<size_t>(VarType::Decimal) ? kValueAt : 2;
    for (size_t i = 0; i < kValueAt + static_cast<size_t>(width); ++i) {
      mask[i] = i < used_from_2 || i >= kValueAt ? 0xFF : 0;
    }
  }
  return masks;
}

constexpr std::array<VariantImage, kMaskedCodes> kUsedBytes = UsedByteMasks();

}  // namespace

bool ClearUnusedImageBytes(VariantImage& image) {
  const uint16_t code = TypeCode(image);
  if (code >= kMaskedCodes) return false;
  const VariantImage& mask = kUsedBytes[code];
  if (mask[0] == 0) return false;  // every scalar code keeps its type code
  for (size_t i = 0; i < image.size(); ++i) image[i] &= mask[i];
  return true;
}

VariantImage Variant::ToImage() const {
  if (!IsScalar()) RaiseError(kTypeMismatch);
  VariantImage image{};
  PutLE(image, 0, static_cast<uint16_t>(type_), 2);
  const size_t width = static_cast<size_t>(ValueWidth(static_cast<uint16_t>(type_)));
  switch (type_) {
    case VarType::R4: {
      const float f = static_cast<float>(real_);
      uint32_t bits;
      std::memcpy(&bits, &f, 4);
      PutLE(image, kValueAt, bits, 4);
      break;
    }
    case VarType::R8:
    case VarType::Date: {
      uint64_t bits;
      std::memcpy(&bits, &real_, 8);
      PutLE(image, kValueAt, bits, 8);
      break;
    }
    case VarType::Decimal:
      image[2] = decimal_.scale;
      image[3] = decimal_.sign;
      PutLE(image, 4, decimal_.hi32, 4);
      PutLE(image, kValueAt, decimal_.lo64, 8);
      break;
    default:  // the integer types as stored; Empty and Null have no value bytes
      PutLE(image, kValueAt, static_cast<uint64_t>(int_), width);
      break;
  }
  return image;
}

std::optional<Variant> Variant::FromImage(std::span<const uint8_t, 16> image) {
  const uint16_t code = TypeCode(image);
  const int width = ValueWidth(code);
  if (width < 0) return std::nullopt;
  Variant v;
  v.type_ = static_cast<VarType>(code);
  const uint64_t bits = GetLE(image, kValueAt, static_cast<size_t>(width));
  switch (v.type_) {
    case VarType::I2:
    case VarType::Bool:
      v.int_ = static_cast<int16_t>(bits);
      break;
    case VarType::I4:
    case VarType::Error:
      v.int_ = static_cast<int32_t>(bits);
      break;
    case VarType::R4: {
      const uint32_t low = static_cast<uint32_t>(bits);
      float f;
      std::memcpy(&f, &low, 4);
      v.real_ = f;
      break;
    }
    case VarType::R8:
    case VarType::Date:
      std::memcpy(&v.real_, &bits, 8);
      break;
    case VarType::Decimal:
      v.decimal_ = {image[2], image[3], static_cast<uint32_t>(GetLE(image, 4, 4)), bits};
      break;
    default:  // UI1, Currency; Empty and Null have no value
      v.int_ = static_cast<int64_t>(bits);
      break;
  }
  return v;
}

}  // namespace rxTheme
