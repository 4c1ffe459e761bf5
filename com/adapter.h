// The adapter objects: one COM object per core object, serving the core
// object's automation interface through the type library.
#pragma once

#include <memory>
#include <type_traits>

#include <rxtheme/persist/persistable.h>
#include "com_support.h"

namespace rxTheme::com {

// IDispatch of one dual interface, served from the type library. IUnknown is
// left to the object that owns the part.
template <typename Iface>
class DispatchPart : public Iface {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (index != 0) return DISP_E_BADINDEX;
    return InterfaceTypeInfo(__uuidof(Iface), info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    ComRef<ITypeInfo> info;
    HRESULT hr = InterfaceTypeInfo(__uuidof(Iface), info.Put());
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(info.Get(), names, count, ids);
  }
  STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* arg_error) override {
    return InvokeThroughTypeInfo(static_cast<Iface*>(this), __uuidof(Iface), member, flags, params,
                                 result, excep, arg_error);
  }

 protected:
  template <typename Body>
  HRESULT Call(Body&& body) {
    return Guard(__uuidof(Iface), std::forward<Body>(body));
  }
};

// The members of _IPropertyBagX, for any persistable core object.
HRESULT PersistInit(rxTheme::IPropertyBagX& core);
HRESULT PersistWrite(rxTheme::IPropertyBagX& core, _PropertyBagX** bag);
HRESULT PersistRead(rxTheme::IPropertyBagX& core, _PropertyBagX** bag);
HRESULT PersistClassName(rxTheme::IPropertyBagX& core, BSTR* name);

// The persistence interface of an adapter whose default interface is another
// one; IUnknown goes to the owning object, which the part does not hold (it
// is part of it).
class PersistPart : public DispatchPart<_IPropertyBagX> {
 public:
  PersistPart(IUnknown* outer, rxTheme::IPropertyBagX* core) : outer_(outer), core_(core) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    return outer_->QueryInterface(iid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }
  STDMETHODIMP InitProperties() override { return PersistInit(*core_); }
  STDMETHODIMP WriteProperties(_PropertyBagX** bag) override { return PersistWrite(*core_, bag); }
  STDMETHODIMP ReadProperties(_PropertyBagX** bag) override { return PersistRead(*core_, bag); }
  STDMETHODIMP ClassName(BSTR* name) override { return PersistClassName(*core_, name); }

 private:
  IUnknown* outer_;
  rxTheme::IPropertyBagX* core_;
};

// Forgets the adapter of a core object (called as the adapter goes away).
void ForgetAdapter(const rxTheme::Object* core, IUnknown* adapter);

// Reference counting, the identity interfaces and error support around the
// default interface `Iface` of core class `CoreT`. A persistable core object
// also answers for _IPropertyBagX.
template <typename Iface, typename CoreT>
class Adapter : public DispatchPart<Iface>, public ISupportErrorInfo, public ICoreObject {
 public:
  explicit Adapter(std::shared_ptr<CoreT> core)
      : core_(std::move(core)), core_ref_(core_), persist_(PersistOf(this, core_.get())) {
    ++g_object_count;
  }
  virtual ~Adapter() { --g_object_count; }
  Adapter(const Adapter&) = delete;
  Adapter& operator=(const Adapter&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Iface)) {
      *out = static_cast<Iface*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else if (iid == __uuidof(ICoreObject)) {
      *out = static_cast<ICoreObject*>(this);
    } else if (iid == __uuidof(_IPropertyBagX) && persist_) {
      *out = static_cast<_IPropertyBagX*>(persist_.get());
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --refs_;
    if (left == 0) {
      ForgetAdapter(core_.get(), static_cast<Iface*>(this));
      delete this;
    }
    return left;
  }
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == __uuidof(Iface) || iid == __uuidof(_IPropertyBagX) ? S_OK : S_FALSE;
  }
  const ObjectRef& STDMETHODCALLTYPE CoreRef() override { return core_ref_; }
  const void* STDMETHODCALLTYPE Module() override { return ThisModuleToken(); }

 protected:
  CoreT& core() { return *core_; }
  const std::shared_ptr<CoreT>& core_ptr() { return core_; }

 private:
  static std::unique_ptr<PersistPart> PersistOf(Adapter* self, CoreT* core) {
    if constexpr (std::is_base_of_v<rxTheme::IPropertyBagX, CoreT> &&
                  !std::is_same_v<Iface, _IPropertyBagX>) {
      return std::make_unique<PersistPart>(static_cast<Iface*>(self), core);
    } else {
      return nullptr;
    }
  }

  std::atomic<ULONG> refs_{1};
  std::shared_ptr<CoreT> core_;
  ObjectRef core_ref_;
  std::unique_ptr<PersistPart> persist_;
};

// The adapter of a core object: the one that exists already, so that a script
// sees the same object twice, or a new one of the class matching the object's
// type. A core standard font becomes a new system font object with the same
// attributes. A null object gives null.
ComRef<IDispatch> AdapterFor(const ObjectRef& core);

// The core object behind a COM object: the adapter's own object, a snapshot
// of a standard font (an object whose type name is "Font"), or an opaque
// stand-in for any other object (which the core refuses where it needs
// persistence). A null pointer gives a null reference.
ObjectRef CoreObjectOf(IUnknown* object);

// Creates the creatable classes for the class factory.
HRESULT CreateThemeAdapter(REFIID iid, void** out);
HRESULT CreateBagAdapter(REFIID iid, void** out);

}  // namespace rxTheme::com
