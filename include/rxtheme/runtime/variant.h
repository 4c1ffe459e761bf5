// The automation variant: the value type that carries every value through the
// property bag.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include <rxtheme/export.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// The 14 value bytes of a decimal variant, as laid out in bytes 2-15 of its
// image: scale (0-28), sign (0 or 0x80), high 32 bits, low 64 bits.
struct Decimal {
  uint8_t scale = 0;
  uint8_t sign = 0;
  uint32_t hi32 = 0;
  uint64_t lo64 = 0;
  friend bool operator==(const Decimal&, const Decimal&) = default;
};

// Variant type codes, as stored in the 16-byte variant image.
enum class VarType : uint16_t {
  Empty = 0,
  Null = 1,
  I2 = 2,        // 16-bit signed integer
  I4 = 3,        // 32-bit signed integer
  R4 = 4,        // 32-bit float
  R8 = 5,        // 64-bit float
  Currency = 6,  // signed 64-bit count of ten-thousandths
  Date = 7,      // 64-bit float, days since 1899-12-30
  String = 8,
  Object = 9,    // object reference (possibly null)
  Error = 10,    // 32-bit error code
  Bool = 11,     // 16 bits: -1 true, 0 false; any other non-zero value is true
  Decimal = 14,  // 96-bit mantissa, scale and sign
  UI1 = 17,      // unsigned byte
};

using VariantImage = std::array<uint8_t, 16>;

class RXTHEME_API Variant {
 public:
  // Empty.
  Variant() = default;
  // Strings convert implicitly, so that bag calls read naturally.
  Variant(WString s);                                  // NOLINT(runtime/explicit)
  Variant(const char16_t* s) : Variant(WString(s)) {}  // NOLINT(runtime/explicit)

  static Variant Empty() { return {}; }
  static Variant Null();
  static Variant I2(int16_t v);
  static Variant I4(int32_t v);
  static Variant R4(float v);
  static Variant R8(double v);
  static Variant Currency(int64_t ten_thousandths);
  static Variant Date(double v);
  static Variant Str(WString v) { return Variant(std::move(v)); }
  static Variant Obj(ObjectRef v);  // a null pointer is a null object reference
  static Variant Error(int32_t code);
  static Variant Bool(bool v);
  static Variant Dec(const Decimal& v);
  static Variant UI1(uint8_t v);

  VarType Type() const { return type_; }
  bool IsEmpty() const { return type_ == VarType::Empty; }
  bool IsNull() const { return type_ == VarType::Null; }
  bool IsString() const { return type_ == VarType::String; }
  bool IsObject() const { return type_ == VarType::Object; }
  // True for every type except String and Object: the types of the image.
  bool IsScalar() const;
  // True for the numeric types (I2, I4, R4, R8, Currency, Date, Error, Bool,
  // Decimal, UI1).
  bool IsNumeric() const;

  // Raw access; each requires the matching type.
  int16_t I2Value() const;
  int32_t I4Value() const;  // I4 or Error
  float R4Value() const;
  double R8Value() const;  // R8 or Date
  int64_t CurrencyValue() const;
  bool BoolValue() const;
  uint8_t UI1Value() const;
  const Decimal& DecimalValue() const;
  const WString& StringValue() const;
  const ObjectRef& ObjectValue() const;

  // Conversions with the automation rules. Failures raise AutomationError:
  // 13 (type mismatch) for a value that does not convert, 6 (overflow) for a
  // number out of range. Rounding to an integer is half to even.
  // Empty -> "", Bool -> "True"/"False", numbers as RealText (15 digits for
  // R8 and Date, 7 for R4), CurrencyText and DecimalText give them.
  WString ToString() const&;
  // The same, moving a string value out of a variant that is going away.
  WString ToString() &&;
  bool ToBool() const;  // any non-zero number is true
  int16_t ToI2() const;
  int32_t ToI4() const;
  double ToDouble() const;
  int64_t ToCurrency() const;  // in ten-thousandths

  // The numeric value as a double (valid for IsNumeric() types).
  double NumericValue() const;

  // The 16-byte variant image: type code, 6 reserved bytes (zero), value bytes
  // little-endian. Raises 13 for a String or Object variant.
  VariantImage ToImage() const;
  // Reads an image. Returns nullopt for a type code that is not one of the
  // scalar codes above (strings, objects, arrays and by-reference codes are
  // never taken from an image). A boolean keeps its stored 16-bit value, so
  // that it writes back the same bytes.
  static std::optional<Variant> FromImage(std::span<const uint8_t, 16> image);

 private:
  // The integer value, a boolean's being -1 whatever non-zero bits it holds.
  RXTHEME_LOCAL int64_t IntValue() const;

  VarType type_ = VarType::Empty;
  int64_t int_ = 0;  // I2, I4, Currency, Error, Bool (as stored), UI1
  double real_ = 0;  // R4, R8, Date
  Decimal decimal_{};
  WString string_;
  ObjectRef object_;
};

// Clears the bytes of an image that its type does not use (the reserved
// bytes, and value bytes beyond the type's width). Returns false, leaving the
// image alone, for a type code that FromImage refuses.
RXTHEME_API bool ClearUnusedImageBytes(VariantImage& image);

// Automation variant equality, as the property bag uses it to compare a value
// with its default: numbers compare by value whatever their type (boolean false
// equals 0), strings compare exactly, a string never equals a number, Empty
// equals 0 and the empty string, Null equals nothing (itself included).
RXTHEME_API bool VariantEquals(const Variant& a, const Variant& b);

}  // namespace rxTheme
