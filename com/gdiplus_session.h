// GDI+ for the picker's preview and its test: the library's headers, which
// need windows.h first and min and max as templates, and the owner of a
// started GDI+ session.
#pragma once

#include <windows.h>
// After windows.h: GDI+ needs its types.
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace rxTheme::com {

// GDI+ from construction to destruction; every GDI+ object must be gone
// before the session ends.
class GdiplusSession {
 public:
  GdiplusSession() noexcept {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
  }
  ~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace rxTheme::com
