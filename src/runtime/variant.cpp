#include <rxtheme/runtime/variant.h>

#include <cmath>
#include <limits>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include "runtime/number_text.h"

namespace rxTheme {

namespace {

bool IsIntegerStored(VarType t) {
  return t == VarType::I2 || t == VarType::I4 || t == VarType::Error || t == VarType::Bool ||
         t == VarType::UI1;
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

int64_t Variant::IntValue() const {
  if (type_ == VarType::Bool) return int_ != 0 ? -1 : 0;
  return int_;
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

WString Variant::ToString() && {
  if (type_ == VarType::String) return std::move(string_);
  return std::as_const(*this).ToString();
}

WString Variant::ToString() const& {
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
      return Widen(RealText(real_, 7));
    case VarType::R8:
    case VarType::Date:
      return Widen(RealText(real_, 15));
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
  if (IsIntegerStored(type_)) return IntValue() * 10000;
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
      return static_cast<double>(IntValue());
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

}  // namespace rxTheme
