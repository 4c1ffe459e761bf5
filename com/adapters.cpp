#include <mutex>
#include <unordered_map>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/theme.h>
#include "adapter.h"
#include "font_bridge.h"
#include "settings_members.h"
#include "variant_bridge.h"

namespace rxTheme::com {
namespace {

// One adapter per live core object, so that asking twice for the same object
// gives the same COM object. Entries are not owning: an adapter removes its
// entry as it goes away.
std::mutex g_cache_mutex;
std::unordered_map<const Object*, IUnknown*>& Cache() {
  static auto* cache = new std::unordered_map<const Object*, IUnknown*>();
  return *cache;
}

// A COM object that is neither the adapter's own nor a font: the core sees an
// object with its type name and no persistence, and refuses it where it needs
// persistence (type mismatch).
class ForeignObject : public Object {
 public:
  ForeignObject(IUnknown* object, WString type_name)
      : object_(object), type_name_(std::move(type_name)) {}
  WString TypeName() const override { return type_name_; }
  IUnknown* object() const { return object_.Get(); }

 private:
  ComRef<IUnknown> object_;
  WString type_name_;
};

// A pointer argument that the caller must pass.
template <typename T>
T* Require(T* value) {
  if (!value) RaiseError(kInvalidProcedureCall);
  return value;
}

// Stores a new adapter reference in an out-parameter of interface type.
template <typename Out>
void SetObject(const ObjectRef& core, Out** out) {
  *Require(out) = nullptr;
  ComRef<IDispatch> adapter = AdapterFor(core);
  if (adapter && FAILED(adapter->QueryInterface(__uuidof(Out), reinterpret_cast<void**>(out)))) {
    RaiseError(kTypeMismatch);
  }
}

std::shared_ptr<rxTheme::PropertyBagX> CoreBagOf(_PropertyBagX* bag) {
  auto core = std::dynamic_pointer_cast<rxTheme::PropertyBagX>(CoreObjectOf(bag));
  if (!core) RaiseError(kTypeMismatch);
  return core;
}

// The members of a property of a core object by its name: its get and let
// call the core object's property of the same name.
#define RX_STRING_MEMBERS(Name)                                           \
  STDMETHODIMP put_##Name(BSTR* v) override {                             \
    return this->Call([&] { this->core().Name(FromBstr(*Require(v))); }); \
  }                                                                       \
  STDMETHODIMP get_##Name(BSTR* r) override {                             \
    return this->Call([&] { ReturnText(r, this->core().Name()); });       \
  }
#define RX_BOOL_MEMBERS(Name)                                                                     \
  STDMETHODIMP put_##Name(VARIANT_BOOL* v) override {                                             \
    return this->Call([&] { this->core().Name(*Require(v) != VARIANT_FALSE); });                  \
  }                                                                                               \
  STDMETHODIMP get_##Name(VARIANT_BOOL* r) override {                                             \
    return this->Call([&] { *Require(r) = this->core().Name() ? VARIANT_TRUE : VARIANT_FALSE; }); \
  }

class ThemeAdapter : public Adapter<_CTheme, rxTheme::CTheme> {
 public:
  using Adapter::Adapter;

  STDMETHODIMP put_HelpFile(BSTR* v) override {
    return Call([&] { core().HelpFile(FromBstr(*Require(v))); });
  }
#define RX_INDEX(Name)                                 \
  STDMETHODIMP put_##Name(short* v) override {         \
    return Call([&] { core().Name(*Require(v)); });    \
  }                                                    \
  STDMETHODIMP get_##Name(short* r) override {         \
    return Call([&] { *Require(r) = core().Name(); }); \
  }
#define RX_ITEM(Name, Out)                                                     \
  STDMETHODIMP Name(BSTR* name, Out** r) override {                            \
    return Call([&] { SetObject(core().Name(FromBstr(*Require(name))), r); }); \
  }
  RX_STRING_MEMBERS(CurrentThemeName)
  RX_STRING_MEMBERS(CurrentThemeFile)
  RX_BOOL_MEMBERS(IncludePath)
  RX_BOOL_MEMBERS(UseThemeSettings)
  RX_BOOL_MEMBERS(UseCustomSettings)
  RX_BOOL_MEMBERS(UseBackgroundImage)
  RX_STRING_MEMBERS(WorkingFolder)
  RX_STRING_MEMBERS(ThemesFolder)
  RX_INDEX(ColorIndex)
  RX_ITEM(Color, _CColorObject)
  RX_INDEX(GraphIndex)
  RX_ITEM(Graph, _CGraphObject)
  RX_ITEM(Base, _CThemeBaseObject)
#undef RX_INDEX
#undef RX_ITEM

  STDMETHODIMP ClearTheme(VARIANT* r) override {
    return Call([&] { ToVariant(core().ClearTheme(), Require(r)); });
  }
  STDMETHODIMP Load(BSTR* file, LONG* r) override {
    return Call([&] { *Require(r) = core().Load(FromBstr(*Require(file))); });
  }
  // Shows the picker on the theme passed in; a null reference is refused by
  // the picker (91), an object that is no theme of this component here (13).
  STDMETHODIMP SelectTheme(_CTheme** parent, LONG* r) override {
    return Call([&] {
      *Require(r) = 0;
      std::shared_ptr<rxTheme::CTheme> theme;
      if (_CTheme* object = *Require(parent)) {
        theme = std::dynamic_pointer_cast<rxTheme::CTheme>(CoreObjectOf(object));
        if (!theme) RaiseError(kTypeMismatch);
      }
      *r = core().SelectTheme(theme);
    });
  }
};

// The settings objects: two flags, then the string properties of their
// tables' public rows, each bound at compile time to the core object's
// property of the same name.
template <typename Iface, typename CoreT>
class SettingsAdapter : public Adapter<Iface, CoreT> {
 public:
  using Adapter<Iface, CoreT>::Adapter;

  RX_BOOL_MEMBERS(UseThemeSettings)
  RX_BOOL_MEMBERS(UseCustomSettings)
};

#define RX_STRING_ROW(Name, kind, prefix, reader) RX_IF_PUBLIC_##kind(RX_STRING_MEMBERS(Name))

class ColorAdapter : public SettingsAdapter<_CColorObject, rxTheme::CColorObject> {
 public:
  using SettingsAdapter::SettingsAdapter;
  RX_COLOR_PROPERTIES(RX_STRING_ROW)
};

class GraphAdapter : public SettingsAdapter<_CGraphObject, rxTheme::CGraphObject> {
 public:
  using SettingsAdapter::SettingsAdapter;
  RX_GRAPH_PROPERTIES(RX_STRING_ROW)
};

class BaseAdapter : public SettingsAdapter<_CThemeBaseObject, rxTheme::CThemeBaseObject> {
 public:
  using SettingsAdapter::SettingsAdapter;
  RX_BASE_PROPERTIES(RX_STRING_ROW)
};
#undef RX_STRING_ROW
#undef RX_STRING_MEMBERS
#undef RX_BOOL_MEMBERS

class BagAdapter : public Adapter<_PropertyBagX, rxTheme::PropertyBagX> {
 public:
  using Adapter::Adapter;

  STDMETHODIMP get_Contents(BSTR* r) override {
    return Call([&] { ReturnText(r, core().Contents()); });
  }
  STDMETHODIMP put_Contents(BSTR* v) override {
    return Call([&] { core().Contents(FromBstr(*Require(v))); });
  }
  STDMETHODIMP WriteProperty(BSTR* name, VARIANT* value, VARIANT* default_value) override {
    return Call([&] {
      core().WriteProperty(FromBstr(*Require(name)), FromVariant(*Require(value)),
                           FromOptional(default_value));
    });
  }
  STDMETHODIMP ReadProperty(BSTR* name, VARIANT* default_value, VARIANT* r) override {
    return Call([&] {
      Variant value = core().ReadProperty(FromBstr(*Require(name)), FromOptional(default_value));
      ToVariant(value, Require(r));
    });
  }
};

// Any other persistable core object (the private section classes, when a bag
// returns one): only its persistence interface.
class PersistableAdapter : public Adapter<_IPropertyBagX, rxTheme::IPropertyBagX> {
 public:
  using Adapter::Adapter;
  STDMETHODIMP InitProperties() override { return PersistInit(core()); }
  STDMETHODIMP WriteProperties(_PropertyBagX** bag) override { return PersistWrite(core(), bag); }
  STDMETHODIMP ReadProperties(_PropertyBagX** bag) override { return PersistRead(core(), bag); }
  STDMETHODIMP ClassName(BSTR* name) override { return PersistClassName(core(), name); }
};

template <typename AdapterT, typename CoreT>
IUnknown* Make(const std::shared_ptr<CoreT>& core) {
  return static_cast<IDispatch*>(new AdapterT(core));
}

IUnknown* NewAdapter(const ObjectRef& core) {
  if (auto p = std::dynamic_pointer_cast<rxTheme::CTheme>(core)) return Make<ThemeAdapter>(p);
  if (auto p = std::dynamic_pointer_cast<rxTheme::CColorObject>(core)) return Make<ColorAdapter>(p);
  if (auto p = std::dynamic_pointer_cast<rxTheme::CGraphObject>(core)) return Make<GraphAdapter>(p);
  if (auto p = std::dynamic_pointer_cast<rxTheme::CThemeBaseObject>(core)) {
    return Make<BaseAdapter>(p);
  }
  if (auto p = std::dynamic_pointer_cast<rxTheme::PropertyBagX>(core)) return Make<BagAdapter>(p);
  if (auto p = std::dynamic_pointer_cast<rxTheme::IPropertyBagX>(core)) {
    return Make<PersistableAdapter>(p);
  }
  return nullptr;
}

}  // namespace

HRESULT PersistInit(rxTheme::IPropertyBagX& core) {
  return Guard(__uuidof(_IPropertyBagX), [&] { core.InitProperties(); });
}

HRESULT PersistWrite(rxTheme::IPropertyBagX& core, _PropertyBagX** bag) {
  return Guard(__uuidof(_IPropertyBagX), [&] { core.WriteProperties(*CoreBagOf(*Require(bag))); });
}

HRESULT PersistRead(rxTheme::IPropertyBagX& core, _PropertyBagX** bag) {
  return Guard(__uuidof(_IPropertyBagX), [&] { core.ReadProperties(*CoreBagOf(*Require(bag))); });
}

HRESULT PersistClassName(rxTheme::IPropertyBagX& core, BSTR* name) {
  return Guard(__uuidof(_IPropertyBagX), [&] { ReturnText(name, core.ClassName()); });
}

void ForgetAdapter(const Object* core, IUnknown* adapter) {
  std::lock_guard<std::mutex> lock(g_cache_mutex);
  auto it = Cache().find(core);
  if (it != Cache().end() && it->second == adapter) Cache().erase(it);
}

ComRef<IDispatch> AdapterFor(const ObjectRef& core) {
  ComRef<IDispatch> out;
  if (!core) return out;
  if (auto font = std::dynamic_pointer_cast<StdFont>(core)) return NewSystemFont(*font);
  if (auto foreign = std::dynamic_pointer_cast<ForeignObject>(core)) {
    if (FAILED(QueryInto(foreign->object(), out))) RaiseError(kTypeMismatch);
    return out;
  }
  std::lock_guard<std::mutex> lock(g_cache_mutex);
  IUnknown*& slot = Cache()[core.get()];
  if (slot) {
    QueryInto(slot, out);
    return out;
  }
  // The new adapter's one reference goes to the caller; the cache holds none.
  auto adapter = ComRef<IUnknown>::Adopt(NewAdapter(core));
  if (!adapter) {
    Cache().erase(core.get());
    RaiseError(kTypeMismatch);
  }
  slot = adapter.Get();
  adapter.As(out);
  return out;
}

ObjectRef CoreObjectOf(IUnknown* object) {
  if (!object) return nullptr;
  ComRef<ICoreObject> own;
  if (SUCCEEDED(QueryInto(object, own)) && own->Module() == ThisModuleToken() && own->CoreRef()) {
    return own->CoreRef();
  }
  ComRef<IDispatch> dispatch;
  WString type_name;
  if (SUCCEEDED(QueryInto(object, dispatch))) {
    type_name = TypeNameOf(dispatch.Get());
    if (type_name == u"Font") return FontSnapshot(dispatch.Get());
  }
  return std::make_shared<ForeignObject>(object, type_name);
}

namespace {

template <typename CoreT>
HRESULT CreateAdapter(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComRef<IDispatch> adapter;
  HRESULT hr = Guard(iid, [&] { adapter = AdapterFor(std::make_shared<CoreT>()); });
  if (FAILED(hr)) return hr;
  return adapter->QueryInterface(iid, out);
}

}  // namespace

HRESULT CreateThemeAdapter(REFIID iid, void** out) {
  return CreateAdapter<rxTheme::CTheme>(iid, out);
}

HRESULT CreateBagAdapter(REFIID iid, void** out) {
  return CreateAdapter<rxTheme::PropertyBagX>(iid, out);
}

}  // namespace rxTheme::com
