// What the picker's windows share: owners of window and GDI handles, an
// object selected into a DC for a scope, and the window procedure of a window
// that a C++ object stands behind, from which no C++ exception escapes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "com_support.h"

namespace rxTheme::com {

struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
template <typename Handle>
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// A window class of this module, registered for the lifetime of the object
// (a class left registered would outlive the module's code).
class WindowClass {
 public:
  WindowClass(const wchar_t* name, WNDPROC procedure) : name_(name) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = g_module;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    window_class.lpszClassName = name;
    RegisterClassExW(&window_class);
  }
  ~WindowClass() { UnregisterClassW(name_, g_module); }
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

 private:
  const wchar_t* name_;
};

// Selects an object into a DC for a scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The window procedure of windows made with `this` of a T as the creation
// parameter: the object hears of its window (T::Attach, with nullptr once it
// is gone) and handles every message (T::Handle); a failure in it is shown
// and the window goes on.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->Attach(hwnd);
  }
  auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!object) return DefWindowProcW(hwnd, message, wparam, lparam);
  LRESULT result = 0;
  if (!GuardWindowProc([&] { result = object->Handle(message, wparam, lparam); })) result = 0;
  if (message == WM_NCDESTROY) object->Attach(nullptr);
  return result;
}

}  // namespace rxTheme::com
