#include "com_support.h"

#include <mutex>
#include <vector>

#include <rxtheme/picker/theme_picker.h>

namespace rxTheme::com {

HMODULE g_module = nullptr;
std::atomic<long> g_object_count{0};

const void* ThisModuleToken() {
  static const char token = 0;
  return &token;
}

WString FromBstr(BSTR text) {
  if (!text) return {};
  return WString(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

UniqueBstr ToBstr(const WString& text) {
  UniqueBstr out(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                   static_cast<UINT>(text.size())));
  if (!out.Get()) throw std::bad_alloc();
  return out;
}

void ReturnText(BSTR* out, const WString& text) {
  if (!out) RaiseError(kInvalidProcedureCall);
  *out = ToBstr(text).Release();
}

HRESULT ReportError(const AutomationError& error, REFIID iid) {
  ComRef<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(Wide(error.Source())));
    create->SetDescription(const_cast<LPOLESTR>(Wide(error.Description())));
    ComRef<IErrorInfo> info;
    if (SUCCEEDED(create.As(info))) SetErrorInfo(0, info.Get());
  }
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.Number() & 0xFFFF);
}

void RaiseFromHresult(HRESULT hr, const EXCEPINFO* info) {
  if (hr == DISP_E_EXCEPTION && info && FAILED(info->scode)) hr = info->scode;
  int32_t number;
  if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) {
    number = HRESULT_CODE(hr);
  } else if (hr == E_INVALIDARG) {
    number = kInvalidProcedureCall;
  } else if (hr == DISP_E_TYPEMISMATCH) {
    number = kTypeMismatch;
  } else if (hr == DISP_E_OVERFLOW) {
    number = kOverflow;
  } else if (hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING) {
    number = kCantCreateObject;
  } else {
    number = static_cast<int32_t>(hr);
  }
  WString description;
  WString source = kDefaultErrorSource;
  if (info && info->bstrDescription) description = FromBstr(info->bstrDescription);
  if (info && info->bstrSource) source = FromBstr(info->bstrSource);
  RaiseError(number, description, source);
}

void ShowWindowProcError(const AutomationError& error) noexcept {
  try {
    MessageBoxW(GetActiveWindow(), Wide(ErrorText(error)), Wide(kProductName),
                MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing is left to show it with.
  }
}

namespace {

std::mutex g_typelib_mutex;

// The embedded type library, loaded once. It is kept until the process ends:
// released during the module's unloading, it could outlive the system
// library that made it.
HRESULT TypeLibrary(ComRef<ITypeLib>& lib) {
  static auto* library = new ComRef<ITypeLib>();
  std::lock_guard<std::mutex> lock(g_typelib_mutex);
  if (!*library) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
    if (n == 0 || n == MAX_PATH) return E_FAIL;
    HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, library->Put());
    if (FAILED(hr)) return hr;
  }
  lib = *library;
  return S_OK;
}

// Arguments passed as a reference to a variant (how a script passes its
// variables) are handed on as a copy of the variant they point to. The
// type-library call then converts them like any direct argument; Wine's
// ITypeInfo::Invoke cannot convert a variant reference into a typed reference
// (BSTR*, short*) by itself. The adapter's members never write back through
// their reference arguments, so nothing is lost.
class PlainArguments {
 public:
  explicit PlainArguments(const DISPPARAMS& params)
      : params_(params), copies_(params.cArgs), args_(params.cArgs) {
    for (UINT i = 0; i < params.cArgs; ++i) {
      const VARIANT& arg = params.rgvarg[i];
      const VARIANT* target = V_VT(&arg) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(&arg) : nullptr;
      if (target && !(V_VT(target) & VT_BYREF) &&
          SUCCEEDED(VariantCopy(copies_[i].Get(), const_cast<VARIANT*>(target)))) {
        args_[i] = *copies_[i];  // a shallow copy: copies_ owns it
      } else {
        args_[i] = arg;  // a shallow copy: the caller still owns it
      }
    }
    if (params.cArgs) params_.rgvarg = args_.data();
  }
  DISPPARAMS* get() { return &params_; }

 private:
  DISPPARAMS params_;
  std::vector<UniqueVariant> copies_;
  std::vector<VARIANT> args_;
};

}  // namespace

HRESULT InterfaceTypeInfo(REFIID iid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ComRef<ITypeLib> lib;
  HRESULT hr = TypeLibrary(lib);
  if (FAILED(hr)) return hr;
  return lib->GetTypeInfoOfGuid(iid, info);
}

HRESULT InvokeThroughTypeInfo(void* instance, REFIID iid, DISPID member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                              UINT* arg_error) {
  ComRef<ITypeInfo> info;
  HRESULT hr = InterfaceTypeInfo(iid, info.Put());
  if (FAILED(hr)) return hr;
  if (!params) return info->Invoke(instance, member, flags, params, result, excep, arg_error);
  PlainArguments plain(*params);
  return info->Invoke(instance, member, flags, plain.get(), result, excep, arg_error);
}

}  // namespace rxTheme::com
