// The in-process server: class factories, the DLL entry points and the
// registration of the classes, their programmatic identifiers and the type
// library.
#include <olectl.h>

#include <string>

#include <rxtheme/runtime/object_registry.h>
#include "adapter.h"
#include "win_picker_view.h"

namespace rxTheme::com {
namespace {

using Creator = HRESULT (*)(REFIID, void**);

// The classes that clients create.
struct CreatableClass {
  const CLSID* clsid;
  const wchar_t* prog_id;
  const wchar_t* description;
  Creator create;
};

const CreatableClass kCreatable[] = {
    {&CLSID_CTheme, L"rxTheme.CTheme", L"rxTheme.CTheme", CreateThemeAdapter},
    {&CLSID_PropertyBagX, L"rxTheme.PropertyBagX", L"rxTheme.PropertyBagX", CreateBagAdapter},
};

std::atomic<long> g_locks{0};

class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(Creator create) : create_(create) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factories are static: their count only keeps the module loaded.
  STDMETHODIMP_(ULONG) AddRef() override { return ++g_locks + 1; }
  STDMETHODIMP_(ULONG) Release() override { return --g_locks + 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, out);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      ++g_locks;
    } else {
      --g_locks;
    }
    return S_OK;
  }

 private:
  Creator create_;
};

ClassFactory g_factories[] = {ClassFactory(CreateThemeAdapter), ClassFactory(CreateBagAdapter)};

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ModulePath() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
  return n == 0 || n == MAX_PATH ? std::wstring() : std::wstring(path, n);
}

HRESULT SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  UniqueRegKey handle;
  LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            handle.Put(), nullptr);
  if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  rc = RegSetValueExW(handle.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return HRESULT_FROM_WIN32(rc);
}

// Creating the component's creatable classes by programmatic identifier, as
// the property bag does when it re-creates a stored object, goes through the
// system: CLSIDFromProgID and CoCreateInstance. A class that the system
// cannot create raises 429, and the bag falls back to the class factory.
ObjectRef CreateByProgId(const std::wstring& prog_id) {
  CLSID clsid;
  ComRef<IUnknown> object;
  if (FAILED(CLSIDFromProgID(prog_id.c_str(), &clsid)) ||
      FAILED(
          CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.PutVoid()))) {
    RaiseError(kCantCreateObject);
  }
  return CoreObjectOf(object.Get());
}

void InstallSystemCreation() {
  for (const CreatableClass& c : kCreatable) {
    std::wstring prog_id = c.prog_id;
    RegisterCreatable(WString(prog_id.begin(), prog_id.end()),
                      [prog_id] { return CreateByProgId(prog_id); });
  }
}

}  // namespace
}  // namespace rxTheme::com

using namespace rxTheme::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
    InstallSystemCreation();
    InstallWin32PickerView();
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (size_t i = 0; i < std::size(kCreatable); ++i) {
    if (clsid == *kCreatable[i].clsid) return g_factories[i].QueryInterface(iid, out);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return g_object_count == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  ComRef<ITypeLib> lib;
  if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, lib.Put()))) return SELFREG_E_TYPELIB;
  const std::wstring typelib = GuidText(LIBID_rxTheme);
  for (const CreatableClass& c : kCreatable) {
    const std::wstring key = L"CLSID\\" + GuidText(*c.clsid);
    const std::wstring clsid = GuidText(*c.clsid);
    if (FAILED(SetValue(key, nullptr, c.description)) ||
        FAILED(SetValue(key + L"\\InprocServer32", nullptr, path)) ||
        FAILED(SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment")) ||
        FAILED(SetValue(key + L"\\ProgID", nullptr, c.prog_id)) ||
        FAILED(SetValue(key + L"\\TypeLib", nullptr, typelib)) ||
        FAILED(SetValue(key + L"\\Version", nullptr, L"1.0")) ||
        FAILED(SetValue(c.prog_id, nullptr, c.description)) ||
        FAILED(SetValue(std::wstring(c.prog_id) + L"\\CLSID", nullptr, clsid))) {
      return SELFREG_E_CLASS;
    }
  }
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  for (const CreatableClass& c : kCreatable) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(*c.clsid)).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, c.prog_id);
  }
#ifdef _WIN64
  HRESULT hr = UnRegisterTypeLib(LIBID_rxTheme, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
#else
  HRESULT hr = UnRegisterTypeLib(LIBID_rxTheme, 1, 0, LOCALE_NEUTRAL, SYS_WIN32);
#endif
  return hr == TYPE_E_REGISTRYACCESS ? SELFREG_E_TYPELIB : S_OK;
}
