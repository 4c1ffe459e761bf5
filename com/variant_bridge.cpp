#include "variant_bridge.h"

#include <cstring>

#include <rxtheme/runtime/std_font.h>
#include "adapter.h"

namespace rxTheme::com {
namespace {

Variant FromDirect(const VARIANT& v) {
  switch (V_VT(&v)) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant::Null();
    case VT_I2:
      return Variant::I2(V_I2(&v));
    case VT_I4:
      return Variant::I4(V_I4(&v));
    case VT_R4:
      return Variant::R4(V_R4(&v));
    case VT_R8:
      return Variant::R8(V_R8(&v));
    case VT_CY:
      return Variant::Currency(V_CY(&v).int64);
    case VT_DATE:
      return Variant::Date(V_DATE(&v));
    case VT_BSTR:
      return Variant(FromBstr(V_BSTR(&v)));
    case VT_ERROR:
      return Variant::Error(V_ERROR(&v));
    case VT_BOOL:
      return Variant::Bool(V_BOOL(&v) != VARIANT_FALSE);
    case VT_UI1:
      return Variant::UI1(V_UI1(&v));
    case VT_DECIMAL: {
      const DECIMAL& d = V_DECIMAL(&v);
      return Variant::Dec(Decimal{d.scale, d.sign, d.Hi32, d.Lo64});
    }
    case VT_DISPATCH:
      return Variant::Obj(CoreObjectOf(V_DISPATCH(&v)));
    case VT_UNKNOWN:
      return Variant::Obj(CoreObjectOf(V_UNKNOWN(&v)));
    default:
      RaiseError(kTypeMismatch);
  }
}

}  // namespace

Variant FromVariant(const VARIANT& value) {
  if (V_VT(&value) == (VT_VARIANT | VT_BYREF)) {
    if (!V_VARIANTREF(&value)) RaiseError(kTypeMismatch);
    return FromVariant(*V_VARIANTREF(&value));
  }
  if (V_VT(&value) & VT_BYREF) {
    if (V_VT(&value) & VT_ARRAY) RaiseError(kTypeMismatch);
    UniqueVariant direct;
    if (FAILED(VariantCopyInd(direct.Get(), const_cast<VARIANT*>(&value)))) {
      RaiseError(kTypeMismatch);
    }
    return FromDirect(*direct);
  }
  return FromDirect(value);
}

std::optional<Variant> FromOptional(const VARIANT* value) {
  if (!value) return std::nullopt;
  if (V_VT(value) == VT_ERROR && V_ERROR(value) == DISP_E_PARAMNOTFOUND) return std::nullopt;
  return FromVariant(*value);
}

void ToVariant(const Variant& value, VARIANT* out) {
  VariantInit(out);
  switch (value.Type()) {
    case VarType::Empty:
      return;
    case VarType::Null:
      V_VT(out) = VT_NULL;
      return;
    case VarType::I2:
      V_I2(out) = value.I2Value();
      V_VT(out) = VT_I2;
      return;
    case VarType::I4:
      V_I4(out) = value.I4Value();
      V_VT(out) = VT_I4;
      return;
    case VarType::R4:
      V_R4(out) = value.R4Value();
      V_VT(out) = VT_R4;
      return;
    case VarType::R8:
      V_R8(out) = value.R8Value();
      V_VT(out) = VT_R8;
      return;
    case VarType::Currency:
      V_CY(out).int64 = value.CurrencyValue();
      V_VT(out) = VT_CY;
      return;
    case VarType::Date:
      V_DATE(out) = value.R8Value();
      V_VT(out) = VT_DATE;
      return;
    case VarType::String:
      V_BSTR(out) = ToBstr(value.StringValue()).Release();
      V_VT(out) = VT_BSTR;
      return;
    case VarType::Object:
      V_DISPATCH(out) = AdapterFor(value.ObjectValue()).Detach();  // the variant's reference
      V_VT(out) = VT_DISPATCH;
      return;
    case VarType::Error:
      V_ERROR(out) = value.I4Value();
      V_VT(out) = VT_ERROR;
      return;
    case VarType::Bool:
      V_BOOL(out) = value.BoolValue() ? VARIANT_TRUE : VARIANT_FALSE;
      V_VT(out) = VT_BOOL;
      return;
    case VarType::Decimal: {
      const Decimal& d = value.DecimalValue();
      DECIMAL& out_d = V_DECIMAL(out);
      std::memset(&out_d, 0, sizeof out_d);
      out_d.scale = d.scale;
      out_d.sign = d.sign;
      out_d.Hi32 = d.hi32;
      out_d.Lo64 = d.lo64;
      V_VT(out) = VT_DECIMAL;  // after the value: the type shares its bytes
      return;
    }
    case VarType::UI1:
      V_UI1(out) = value.UI1Value();
      V_VT(out) = VT_UI1;
      return;
  }
  RaiseError(kTypeMismatch);
}

}  // namespace rxTheme::com
