#include "font_bridge.h"

#include <olectl.h>

#include "variant_bridge.h"

namespace rxTheme::com {
namespace {

DISPID MemberId(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) RaiseFromHresult(hr);
  return id;
}

// Reads a property by name and converts it to `type`.
Variant GetAs(IDispatch* object, const wchar_t* name, VARTYPE type) {
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  UniqueVariant result;
  UniqueExcepInfo info;
  HRESULT hr = object->Invoke(MemberId(object, name), IID_NULL, LOCALE_USER_DEFAULT,
                              DISPATCH_PROPERTYGET, &none, result.Get(), info.Get(), nullptr);
  if (SUCCEEDED(hr)) hr = VariantChangeType(result.Get(), result.Get(), 0, type);
  if (FAILED(hr)) RaiseFromHresult(hr, info.Get());
  return FromVariant(*result);
}

void Put(IDispatch* object, const wchar_t* name, const Variant& value) {
  UniqueVariant arg;
  ToVariant(value, arg.Get());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {arg.Get(), &named, 1, 1};
  UniqueExcepInfo info;
  HRESULT hr = object->Invoke(MemberId(object, name), IID_NULL, LOCALE_USER_DEFAULT,
                              DISPATCH_PROPERTYPUT, &params, nullptr, info.Get(), nullptr);
  if (FAILED(hr)) RaiseFromHresult(hr, info.Get());
}

}  // namespace

WString TypeNameOf(IDispatch* object) {
  ComRef<ITypeInfo> info;
  if (!object || FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put())) || !info) {
    return {};
  }
  UniqueBstr name;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr)))
    return {};
  return FromBstr(name.Get());
}

std::shared_ptr<StdFont> FontSnapshot(IDispatch* font) {
  auto snapshot = std::make_shared<StdFont>();
  // Bold follows from Weight in both fonts, so Weight alone carries it.
  snapshot->Charset(GetAs(font, L"Charset", VT_I2).I2Value());
  snapshot->Italic(GetAs(font, L"Italic", VT_BOOL).BoolValue());
  snapshot->Name(GetAs(font, L"Name", VT_BSTR).StringValue());
  snapshot->Size(GetAs(font, L"Size", VT_CY).CurrencyValue());
  snapshot->Strikethrough(GetAs(font, L"Strikethrough", VT_BOOL).BoolValue());
  snapshot->Underline(GetAs(font, L"Underline", VT_BOOL).BoolValue());
  snapshot->Weight(GetAs(font, L"Weight", VT_I2).I2Value());
  return snapshot;
}

ComRef<IDispatch> NewSystemFont(const StdFont& font) {
  ComRef<IDispatch> object;
  HRESULT hr = CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                object.PutVoid());
  if (FAILED(hr)) RaiseFromHresult(hr);
  Put(object.Get(), L"Name", Variant(font.Name()));
  Put(object.Get(), L"Size", Variant::Currency(font.Size()));
  Put(object.Get(), L"Weight", Variant::I2(font.Weight()));
  Put(object.Get(), L"Bold", Variant::Bool(font.Bold()));
  Put(object.Get(), L"Charset", Variant::I2(font.Charset()));
  Put(object.Get(), L"Italic", Variant::Bool(font.Italic()));
  Put(object.Get(), L"Strikethrough", Variant::Bool(font.Strikethrough()));
  Put(object.Get(), L"Underline", Variant::Bool(font.Underline()));
  return object;
}

}  // namespace rxTheme::com
