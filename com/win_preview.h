// The picker's preview in Win32: a child window that paints a PreviewScene
// (pictures decoded and drawn with GDI+, text with GDI fonts) and scrolls it
// up and down, and the text metrics of the fonts it paints with.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include <rxtheme/picker/preview_scene.h>
#include "gdiplus_session.h"
#include "win_owners.h"

namespace rxTheme::com {

// GDI fonts for scene fonts: the first installed family of a font's list,
// else the family that stands for its generic name (serif, sans-serif, ...).
// The fonts live as long as the cache.
class SceneFonts : public TextMetrics {
 public:
  SceneFonts();
  SceneFonts(const SceneFonts&) = delete;
  SceneFonts& operator=(const SceneFonts&) = delete;

  HFONT Font(const SceneFont& font);
  TextExtent Measure(const SceneFont& font, std::u16string_view text) const override;

 private:
  bool Installed(const std::wstring& family);

  UniqueDc dc_;  // a screen-compatible memory DC for measuring
  std::map<std::wstring, UniqueGdiObject<HFONT>> fonts_;
  std::map<std::wstring, bool> installed_;
};

// The preview window. Create() makes it as a child control; the object must
// outlive the window.
class PreviewWindow {
 public:
  PreviewWindow();
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  HWND Create(HWND parent, int id, const RECT& bounds, DWORD style);
  void SetScene(const PreviewScene& scene);
  SceneFonts& Fonts() { return fonts_; }

  // For the window procedure: the window (nullptr once it is gone), and its
  // messages.
  void Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!hwnd) (void)window_.Release();  // destroyed already
  }
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  struct Decoded;
  void Paint(HDC target, const RECT& client);
  void UpdateScrollBar();
  void ScrollTo(int position);
  const Decoded* Picture(const std::shared_ptr<const std::string>& bytes);

  // Destroyed in reverse: the window first, the pictures before GDI+, the
  // window class last.
  std::unique_ptr<class WindowClass> window_class_;
  GdiplusSession gdiplus_;
  PreviewScene scene_;
  int scroll_ = 0;
  SceneFonts fonts_;
  std::map<const std::string*, std::unique_ptr<Decoded>> pictures_;
  HWND hwnd_ = nullptr;  // the window, while it exists
  UniqueWindow window_;
};

}  // namespace rxTheme::com
