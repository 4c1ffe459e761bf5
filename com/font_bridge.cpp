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
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info = {};
  HRESULT hr = object->Invoke(MemberId(object, name), IID_NULL, LOCALE_USER_DEFAULT,
                              DISPATCH_PROPERTYGET, &none, &result, &info, nullptr);
  if (SUCCEEDED(hr)) hr = VariantChangeType(&result, &result, 0, type);
  if (FAILED(hr)) {
    VariantClear(&result);
    RaiseFromHresult(hr, &info);
  }
  Variant value = FromVariant(result);
  VariantClear(&result);
  return value;
}

void Put(IDispatch* object, const wchar_t* name, const Variant& value) {
  VARIANT arg;
  ToVariant(value, &arg);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&arg, &named, 1, 1};
  EXCEPINFO info = {};
  HRESULT hr = object->Invoke(MemberId(object, name), IID_NULL, LOCALE_USER_DEFAULT,
                              DISPATCH_PROPERTYPUT, &params, nullptr, &info, nullptr);
  VariantClear(&arg);
  if (FAILED(hr)) RaiseFromHresult(hr, &info);
}

}  // namespace

WString TypeNameOf(IDispatch* object) {
  ComPtr<ITypeInfo> info;
  if (!object || FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) || !info) return {};
  BSTR name = nullptr;
  WString result;
  if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) {
    result = FromBstr(name);
    SysFreeString(name);
  }
  return result;
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

ComPtr<IDispatch> NewSystemFont(const StdFont& font) {
  ComPtr<IDispatch> object;
  HRESULT hr =
      CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object);
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
