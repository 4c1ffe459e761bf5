// Owners of Windows resources. Each one releases what it holds exactly once:
// when it goes out of scope, when it is given something else, or never when
// its contents were handed on (Detach, release). Every path out of a function,
// an exception included, therefore releases what the function acquired.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <cstddef>
#include <utility>

namespace rxTheme::com {

// One counted reference to a COM interface.
template <typename T>
class ComRef {
 public:
  ComRef() noexcept = default;
  ComRef(std::nullptr_t) noexcept {}  // implicit, as a null pointer converts
  // Shares `object`: takes a reference of its own.
  explicit ComRef(T* object) noexcept : p_(object) {
    if (p_) p_->AddRef();
  }
  ComRef(const ComRef& other) noexcept : ComRef(other.p_) {}
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComRef() { Reset(); }

  // Takes over a reference that the caller owned.
  static ComRef Adopt(T* object) noexcept {
    ComRef ref;
    ref.p_ = object;
    return ref;
  }

  T* Get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  // Gives the reference to the caller.
  T* Detach() noexcept { return std::exchange(p_, nullptr); }
  void Reset() noexcept {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }
  // The slot of an out-parameter that receives a new reference; whatever was
  // held is released first.
  T** Put() noexcept {
    Reset();
    return &p_;
  }
  void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

  // Asks the object for interface U.
  template <typename U>
  HRESULT As(ComRef<U>& out) const noexcept {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(__uuidof(U), out.PutVoid());
  }

 private:
  T* p_ = nullptr;
};

// Asks any object for interface U.
template <typename U>
HRESULT QueryInto(IUnknown* object, ComRef<U>& out) noexcept {
  if (!object) return E_POINTER;
  return object->QueryInterface(__uuidof(U), out.PutVoid());
}

// An owned BSTR.
class UniqueBstr {
 public:
  UniqueBstr() noexcept = default;
  explicit UniqueBstr(BSTR adopted) noexcept : text_(adopted) {}
  UniqueBstr(UniqueBstr&& other) noexcept : text_(other.Release()) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    std::swap(text_, other.text_);
    return *this;
  }
  ~UniqueBstr() { SysFreeString(text_); }

  BSTR Get() const noexcept { return text_; }
  BSTR Release() noexcept { return std::exchange(text_, nullptr); }
  BSTR* Put() noexcept {
    SysFreeString(Release());
    return &text_;
  }
  // The slot of an [in, out] parameter: the callee may replace the string,
  // and the owner frees whichever one the slot holds in the end.
  BSTR* InOut() noexcept { return &text_; }

 private:
  BSTR text_ = nullptr;
};

// An owned VARIANT, cleared at the end.
class UniqueVariant {
 public:
  UniqueVariant() noexcept { VariantInit(&value_); }
  ~UniqueVariant() { VariantClear(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* Get() noexcept { return &value_; }
  const VARIANT& operator*() const noexcept { return value_; }

 private:
  VARIANT value_;
};

// The error description a failed IDispatch::Invoke fills in: its strings are
// the caller's to free, whether or not the caller reads them.
class UniqueExcepInfo {
 public:
  UniqueExcepInfo() noexcept : info_{} {}
  ~UniqueExcepInfo() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }
  UniqueExcepInfo(const UniqueExcepInfo&) = delete;
  UniqueExcepInfo& operator=(const UniqueExcepInfo&) = delete;

  EXCEPINFO* Get() noexcept { return &info_; }

 private:
  EXCEPINFO info_;
};

// An owned handle of one kind: Traits names its type, its empty value and how
// it is released.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle adopted) noexcept : handle_(adopted) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }
  Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }
  void Reset(Handle adopted = Traits::Empty()) noexcept {
    if (Handle old = std::exchange(handle_, adopted); old != Traits::Empty()) Traits::Close(old);
  }
  Handle* Put() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

struct WindowTraits {
  using Handle = HWND;
  static HWND Empty() { return nullptr; }
  static void Close(HWND window) { DestroyWindow(window); }
};
// A memory DC (CreateCompatibleDC).
struct MemoryDcTraits {
  using Handle = HDC;
  static HDC Empty() { return nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};
template <typename GdiHandle>
struct GdiObjectTraits {
  using Handle = GdiHandle;
  static GdiHandle Empty() { return nullptr; }
  static void Close(GdiHandle object) { DeleteObject(object); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static HKEY Empty() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueDc = UniqueHandle<MemoryDcTraits>;
template <typename GdiHandle>
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<GdiHandle>>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// A window's DC for a scope (GetDC, ReleaseDC); nullptr is the screen's.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The painting of a window in answer to WM_PAINT (BeginPaint, EndPaint).
class PaintDc {
 public:
  explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// COM on this thread, in a single-threaded apartment, for a scope.
class ComApartment {
 public:
  ComApartment() noexcept
      : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

// Selects an object into a DC for a scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace rxTheme::com
