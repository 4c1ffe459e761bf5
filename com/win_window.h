// What the picker's windows share: a window class registered for an
// object's lifetime, the other windows disabled while a dialog is modal, and
// the window procedure of a window that a C++ object stands behind, from
// which no C++ exception escapes.
#pragma once

#include <windows.h>

#include <vector>

#include "com_support.h"

namespace rxTheme::com {

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

// While a modal dialog shows, the thread's other windows take no input.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND dialog) : dialog_(dialog) {
    EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
  }
  ~OtherWindowsDisabled() {
    for (HWND window : disabled_) EnableWindow(window, TRUE);
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM param) {
    auto* self = reinterpret_cast<OtherWindowsDisabled*>(param);
    if (window != self->dialog_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      self->disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND dialog_;
  std::vector<HWND> disabled_;
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
