#include "runtime/variant.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "runtime/automation_error.h"

namespace rxTheme {

namespace {

bool IsIntegerStored(VarType t) {
  return t == VarType::I2 || t == VarType::I4 || t == VarType::Error || t == VarType::Bool ||
         t == VarType::UI1;
}

#ifdef __SIZEOF_INT128__
// The 96-bit mantissa of a decimal as an unsigned 128-bit number.
unsigned __int128 Mantissa(const Decimal& d) {
  return (static_cast<unsigned __int128>(d.hi32) << 64) | d.lo64;
}
#else
// Targets without a 128-bit integer (32-bit Windows): the mantissa as three
// 32-bit limbs, most significant first, with the two operations needed here.
struct Mantissa96 {
  uint32_t limb[3];
  bool operator!=(int zero) const {
    return (limb[0] | limb[1] | limb[2]) != static_cast<uint32_t>(zero);
  }
  int operator%(int ten) const {
    uint64_t rest = 0;
    for (uint32_t l : limb) rest = ((rest << 32) | l) % static_cast<uint64_t>(ten);
    return static_cast<int>(rest);
  }
  Mantissa96& operator/=(int ten) {
    uint64_t rest = 0;
    for (uint32_t& l : limb) {
      uint64_t cur = (rest << 32) | l;
      l = static_cast<uint32_t>(cur / static_cast<uint64_t>(ten));
      rest = cur % static_cast<uint64_t>(ten);
    }
    return *this;
  }
  explicit operator long double() const {
    // Both terms are exact; the sum rounds once, as a direct conversion does.
    return static_cast<long double>(limb[0]) * 18446744073709551616.0L +
           static_cast<long double>((static_cast<uint64_t>(limb[1]) << 32) | limb[2]);
  }
};
Mantissa96 Mantissa(const Decimal& d) {
  return {{d.hi32, static_cast<uint32_t>(d.lo64 >> 32), static_cast<uint32_t>(d.lo64)}};
}
#endif

long double DecimalToLongDouble(const Decimal& d) {
  long double v = static_cast<long double>(Mantissa(d));
  for (int i = 0; i < d.scale; ++i) v /= 10;
  return d.sign & 0x80 ? -v : v;
}

std::string DecimalText(const Decimal& d) {
  auto m = Mantissa(d);
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
    m /= 10;
  } while (m != 0);
  size_t scale = d.scale;
  if (scale > 0) {
    if (digits.size() <= scale) digits.insert(0, scale - digits.size() + 1, '0');
    digits.insert(digits.size() - scale, 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  if ((d.sign & 0x80) && digits != "0") digits.insert(0, 1, '-');
  return digits;
}

std::string CurrencyText(int64_t v) {
  uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  std::string text = std::to_string(mag / 10000);
  uint64_t frac = mag % 10000;
  if (frac != 0) {
    std::string f = std::to_string(frac);
    f.insert(0, 4 - f.size(), '0');
    while (f.back() == '0') f.pop_back();
    text += "." + f;
  }
  return v < 0 ? "-" + text : text;
}

template <typename T>
std::string ShortestText(T v) {
  char buf[64];
  auto result = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, result.ptr);
}

// Numeric text: optional spaces, an optional sign, a decimal or scientific
// number, optional spaces. Raises 13 for anything else.
double ParseNumber(const WString& text) {
  std::string s = Narrow(TrimSpaces(text));
  for (char16_t u : TrimSpaces(text)) {
    if (u > 0x7F) RaiseError(kTypeMismatch);
  }
  size_t start = 0;
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    start = 1;
  }
  if (start >= s.size() || s[start] == '+' || s[start] == '-') RaiseError(kTypeMismatch);
  double v = 0;
  auto result = std::from_chars(s.data() + start, s.data() + s.size(), v);
  if (result.ec == std::errc::result_out_of_range) RaiseError(kOverflow);
  if (result.ec != std::errc() || result.ptr != s.data() + s.size()) RaiseError(kTypeMismatch);
  if (std::isnan(v) || std::isinf(v)) RaiseError(kTypeMismatch);
  return negative ? -v : v;
}

// Rounds half to even and checks the range of an integer type.
template <typename T>
T ToInteger(const Variant& v) {
  constexpr double lo = std::numeric_limits<T>::min();
  constexpr double hi = std::numeric_limits<T>::max();
  double d;
  switch (v.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::String:
      d = ParseNumber(v.StringValue());
      break;
    case VarType::Null:
    case VarType::Object:
      RaiseError(kTypeMismatch);
    default:
      d = v.NumericValue();
  }
  if (std::isnan(d)) RaiseError(kOverflow);
  d = RoundHalfEven(d);
  if (d < lo || d > hi) RaiseError(kOverflow);
  return static_cast<T>(d);
}

void PutLE(VariantImage& image, size_t at, uint64_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t GetLE(std::span<const uint8_t, 16> image, size_t at, size_t bytes) {
  uint64_t v = 0;
  for (size_t i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(image[at + i]) << (8 * i);
  return v;
}

}  // namespace

Variant::Variant(WString s) : type_(VarType::String), string_(std::move(s)) {}

Variant Variant::Null() {
  Variant v;
  v.type_ = VarType::Null;
  return v;
}

#define RX_INT_FACTORY(Name, CType, Code) \
  Variant Variant::Name(CType x) {        \
    Variant v;                            \
    v.type_ = VarType::Code;              \
    v.int_ = x;                           \
    return v;                             \
  }
RX_INT_FACTORY(I2, int16_t, I2)
RX_INT_FACTORY(I4, int32_t, I4)
RX_INT_FACTORY(Currency, int64_t, Currency)
RX_INT_FACTORY(Error, int32_t, Error)
RX_INT_FACTORY(UI1, uint8_t, UI1)
#undef RX_INT_FACTORY

Variant Variant::Bool(bool x) {
  Variant v;
  v.type_ = VarType::Bool;
  v.int_ = x ? -1 : 0;
  return v;
}

Variant Variant::R4(float x) {
  Variant v;
  v.type_ = VarType::R4;
  v.real_ = x;
  return v;
}

Variant Variant::R8(double x) {
  Variant v;
  v.type_ = VarType::R8;
  v.real_ = x;
  return v;
}

Variant Variant::Date(double x) {
  Variant v;
  v.type_ = VarType::Date;
  v.real_ = x;
  return v;
}

Variant Variant::Obj(ObjectRef x) {
  Variant v;
  v.type_ = VarType::Object;
  v.object_ = std::move(x);
  return v;
}

Variant Variant::Dec(const Decimal& x) {
  Variant v;
  v.type_ = VarType::Decimal;
  v.decimal_ = x;
  return v;
}

bool Variant::IsScalar() const { return type_ != VarType::String && type_ != VarType::Object; }

bool Variant::IsNumeric() const {
  switch (type_) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::String:
    case VarType::Object:
      return false;
    default:
      return true;
  }
}

namespace {
void Require(bool ok) {
  if (!ok) RaiseError(kTypeMismatch);
}
}  // namespace

int16_t Variant::I2Value() const {
  Require(type_ == VarType::I2);
  return static_cast<int16_t>(int_);
}
int32_t Variant::I4Value() const {
  Require(type_ == VarType::I4 || type_ == VarType::Error);
  return static_cast<int32_t>(int_);
}
float Variant::R4Value() const {
  Require(type_ == VarType::R4);
  return static_cast<float>(real_);
}
double Variant::R8Value() const {
  Require(type_ == VarType::R8 || type_ == VarType::Date);
  return real_;
}
int64_t Variant::CurrencyValue() const {
  Require(type_ == VarType::Currency);
  return int_;
}
bool Variant::BoolValue() const {
  Require(type_ == VarType::Bool);
  return int_ != 0;
}
uint8_t Variant::UI1Value() const {
  Require(type_ == VarType::UI1);
  return static_cast<uint8_t>(int_);
}
const Decimal& Variant::DecimalValue() const {
  Require(type_ == VarType::Decimal);
  return decimal_;
}
const WString& Variant::StringValue() const {
  Require(type_ == VarType::String);
  return string_;
}
const ObjectRef& Variant::ObjectValue() const {
  Require(type_ == VarType::Object);
  return object_;
}

WString Variant::ToString() const {
  switch (type_) {
    case VarType::Empty:
      return {};
    case VarType::String:
      return string_;
    case VarType::Bool:
      return int_ ? u"True" : u"False";
    case VarType::I2:
    case VarType::I4:
    case VarType::Error:
    case VarType::UI1:
      return Widen(std::to_string(int_));
    case VarType::R4:
      return Widen(ShortestText(static_cast<float>(real_)));
    case VarType::R8:
    case VarType::Date:
      return Widen(ShortestText(real_));
    case VarType::Currency:
      return Widen(CurrencyText(int_));
    case VarType::Decimal:
      return Widen(DecimalText(decimal_));
    case VarType::Null:
    case VarType::Object:
      break;
  }
  RaiseError(kTypeMismatch);
}

bool Variant::ToBool() const {
  switch (type_) {
    case VarType::Empty:
      return false;
    case VarType::String: {
      WString t = TrimSpaces(string_);
      if (EqualsNoCase(t, u"True")) return true;
      if (EqualsNoCase(t, u"False")) return false;
      return ParseNumber(string_) != 0;
    }
    case VarType::Null:
    case VarType::Object:
      RaiseError(kTypeMismatch);
    default:
      return NumericValue() != 0;
  }
}

int16_t Variant::ToI2() const {
  if (type_ == VarType::I2) return static_cast<int16_t>(int_);
  return ToInteger<int16_t>(*this);
}

int32_t Variant::ToI4() const {
  if (type_ == VarType::I4) return static_cast<int32_t>(int_);
  return ToInteger<int32_t>(*this);
}

double Variant::ToDouble() const {
  switch (type_) {
    case VarType::Empty:
      return 0;
    case VarType::String:
      return ParseNumber(string_);
    case VarType::Null:
    case VarType::Object:
      RaiseError(kTypeMismatch);
    default:
      return NumericValue();
  }
}

int64_t Variant::ToCurrency() const {
  if (type_ == VarType::Currency) return int_;
  if (IsIntegerStored(type_)) return int_ * 10000;
  double d = ToDouble();
  if (std::isnan(d)) RaiseError(kOverflow);
  d = RoundHalfEven(d * 10000.0);
  // 2^63 is exactly representable; anything at or above it overflows.
  if (d < -9223372036854775808.0 || d >= 9223372036854775808.0) RaiseError(kOverflow);
  return static_cast<int64_t>(d);
}

double Variant::NumericValue() const {
  switch (type_) {
    case VarType::Empty:
      return 0;
    case VarType::I2:
    case VarType::I4:
    case VarType::Error:
    case VarType::Bool:
    case VarType::UI1:
      return static_cast<double>(int_);
    case VarType::Currency:
      return static_cast<double>(int_) / 10000.0;
    case VarType::R4:
    case VarType::R8:
    case VarType::Date:
      return real_;
    case VarType::Decimal:
      return static_cast<double>(DecimalToLongDouble(decimal_));
    default:
      RaiseError(kTypeMismatch);
  }
}

VariantImage Variant::ToImage() const {
  if (!IsScalar()) RaiseError(kTypeMismatch);
  VariantImage image{};
  PutLE(image, 0, static_cast<uint16_t>(type_), 2);
  switch (type_) {
    case VarType::I2:
    case VarType::Bool:
      PutLE(image, 8, static_cast<uint64_t>(int_), 2);
      break;
    case VarType::I4:
    case VarType::Error:
      PutLE(image, 8, static_cast<uint64_t>(int_), 4);
      break;
    case VarType::UI1:
      PutLE(image, 8, static_cast<uint64_t>(int_), 1);
      break;
    case VarType::Currency:
      PutLE(image, 8, static_cast<uint64_t>(int_), 8);
      break;
    case VarType::R4: {
      float f = static_cast<float>(real_);
      uint32_t bits;
      std::memcpy(&bits, &f, 4);
      PutLE(image, 8, bits, 4);
      break;
    }
    case VarType::R8:
    case VarType::Date: {
      uint64_t bits;
      std::memcpy(&bits, &real_, 8);
      PutLE(image, 8, bits, 8);
      break;
    }
    case VarType::Decimal:
      image[2] = decimal_.scale;
      image[3] = decimal_.sign;
      PutLE(image, 4, decimal_.hi32, 4);
      PutLE(image, 8, decimal_.lo64, 8);
      break;
    default:  // Empty, Null: the type code alone
      break;
  }
  return image;
}

std::optional<Variant> Variant::FromImage(std::span<const uint8_t, 16> image) {
  uint16_t code = static_cast<uint16_t>(GetLE(image, 0, 2));
  switch (static_cast<VarType>(code)) {
    case VarType::Empty:
      return Variant();
    case VarType::Null:
      return Null();
    case VarType::I2:
      return I2(static_cast<int16_t>(GetLE(image, 8, 2)));
    case VarType::Bool:
      return Bool(GetLE(image, 8, 2) != 0);
    case VarType::I4:
      return I4(static_cast<int32_t>(GetLE(image, 8, 4)));
    case VarType::Error:
      return Error(static_cast<int32_t>(GetLE(image, 8, 4)));
    case VarType::UI1:
      return UI1(static_cast<uint8_t>(GetLE(image, 8, 1)));
    case VarType::Currency:
      return Currency(static_cast<int64_t>(GetLE(image, 8, 8)));
    case VarType::R4: {
      uint32_t bits = static_cast<uint32_t>(GetLE(image, 8, 4));
      float f;
      std::memcpy(&f, &bits, 4);
      return R4(f);
    }
    case VarType::R8:
    case VarType::Date: {
      uint64_t bits = GetLE(image, 8, 8);
      double d;
      std::memcpy(&d, &bits, 8);
      return code == static_cast<uint16_t>(VarType::R8) ? R8(d) : Date(d);
    }
    case VarType::Decimal: {
      Decimal d;
      d.scale = image[2];
      d.sign = image[3];
      d.hi32 = static_cast<uint32_t>(GetLE(image, 4, 4));
      d.lo64 = GetLE(image, 8, 8);
      return Dec(d);
    }
    default:
      return std::nullopt;
  }
}

bool VariantEquals(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return false;
  if (a.IsObject() || b.IsObject()) {
    return a.IsObject() && b.IsObject() && a.ObjectValue() == b.ObjectValue();
  }
  if (a.IsString() || b.IsString()) {
    if (a.IsString() && b.IsString()) return a.StringValue() == b.StringValue();
    const Variant& other = a.IsString() ? b : a;
    const Variant& text = a.IsString() ? a : b;
    return other.IsEmpty() && text.StringValue().empty();
  }
  // Both numeric or Empty (Empty counts as 0).
  if ((a.IsEmpty() || IsIntegerStored(a.Type())) && (b.IsEmpty() || IsIntegerStored(b.Type()))) {
    return (a.IsEmpty() ? 0 : a.ToI4()) == (b.IsEmpty() ? 0 : b.ToI4());
  }
  if (a.Type() == VarType::Currency && b.Type() == VarType::Currency) {
    return a.CurrencyValue() == b.CurrencyValue();
  }
  auto value = [](const Variant& v) -> long double {
    if (v.Type() == VarType::Decimal) return DecimalToLongDouble(v.DecimalValue());
    if (v.Type() == VarType::Currency) return static_cast<long double>(v.CurrencyValue()) / 10000;
    return v.NumericValue();
  };
  return value(a) == value(b);
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace rxTheme
