#include "win_preview.h"

// After windows.h, which it needs.
#include <shlwapi.h>

#include <algorithm>

#include "win_window.h"

namespace rxTheme::com {

namespace {

constexpr wchar_t kPreviewClass[] = L"rxThemePreview";
constexpr int kLineStep = 16;  // pixels per arrow key or scroll-bar arrow
constexpr int kWheelLines = 3;

// The GDI family class of each generic family, in GenericFamily's order.
constexpr BYTE kGenericPitchAndFamily[] = {FF_ROMAN, FF_SWISS, FF_MODERN, FF_SCRIPT, FF_DECORATIVE};

std::wstring Wstr(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

Gdiplus::Color GdiplusColor(Rgb rgb) {
  return Gdiplus::Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

SceneFonts::SceneFonts() : dc_(CreateCompatibleDC(nullptr)) {}

bool SceneFonts::Installed(const std::wstring& family) {
  auto [it, added] = installed_.try_emplace(family, false);
  if (added && family.size() < LF_FACESIZE) {
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, family.c_str(), LF_FACESIZE);
    EnumFontFamiliesExW(dc_.Get(), &query, FoundFamily, reinterpret_cast<LPARAM>(&it->second), 0);
  }
  return it->second;
}

HFONT SceneFonts::Font(const SceneFont& font) {
  const std::wstring key = Wstr(font.families) + L"|" + std::to_wstring(font.pixel_size) +
                           (font.bold ? L"b" : L"") + (font.underline ? L"u" : L"");
  auto [it, added] = fonts_.try_emplace(key);
  if (!added) return it->second.Get();
  LOGFONTW lf = {};
  lf.lfHeight = -font.pixel_size;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  // The face the family list names (the font mapper finds the nearest face
  // of a generic family's class when its face is not installed).
  const FontFace face = ChooseFace(
      font.families, [this](std::u16string_view family) { return Installed(Wstr(family)); });
  lf.lfPitchAndFamily =
      face.generic ? kGenericPitchAndFamily[static_cast<int>(*face.generic)] : FF_DONTCARE;
  lstrcpynW(lf.lfFaceName, Wstr(face.face).c_str(), LF_FACESIZE);
  it->second.Reset(CreateFontIndirectW(&lf));
  return it->second.Get();
}

TextExtent SceneFonts::Measure(const SceneFont& font, std::u16string_view text) const {
  // Measuring fills the font cache, which is no visible state.
  auto& self = const_cast<SceneFonts&>(*this);
  Selected selected(dc_.Get(), self.Font(font));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc_.Get(), &metrics);
  SIZE size = {};
  GetTextExtentPoint32W(dc_.Get(), reinterpret_cast<const wchar_t*>(text.data()),
                        static_cast<int>(text.size()), &size);
  return {size.cx, metrics.tmAscent, metrics.tmDescent};
}

struct PreviewWindow::Decoded {
  ComRef<IStream> stream;  // GDI+ reads the picture from it as it needs
  std::unique_ptr<Gdiplus::Bitmap> bitmap;
};

PreviewWindow::PreviewWindow()
    : window_class_(std::make_unique<WindowClass>(kPreviewClass, ObjectWindowProc<PreviewWindow>)) {
}

PreviewWindow::~PreviewWindow() = default;

HWND PreviewWindow::Create(HWND parent, int id, const RECT& bounds, DWORD style) {
  window_.Reset(CreateWindowExW(WS_EX_CLIENTEDGE, kPreviewClass, L"", style | WS_VSCROLL,
                                bounds.left, bounds.top, bounds.right - bounds.left,
                                bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_module, this));
  return window_.Get();
}

void PreviewWindow::SetScene(const PreviewScene& scene) {
  scene_ = scene;
  pictures_.clear();
  scroll_ = 0;
  UpdateScrollBar();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

const PreviewWindow::Decoded* PreviewWindow::Picture(
    const std::shared_ptr<const std::string>& bytes) {
  if (!bytes) return nullptr;
  auto [it, added] = pictures_.try_emplace(bytes.get());
  if (added) {
    auto decoded = std::make_unique<Decoded>();
    decoded->stream = ComRef<IStream>::Adopt(SHCreateMemStream(
        reinterpret_cast<const BYTE*>(bytes->data()), static_cast<UINT>(bytes->size())));
    if (decoded->stream) {
      decoded->bitmap = std::make_unique<Gdiplus::Bitmap>(decoded->stream.Get());
      if (decoded->bitmap->GetLastStatus() == Gdiplus::Ok) it->second = std::move(decoded);
    }
  }
  return it->second.get();
}

void PreviewWindow::Paint(HDC target, const RECT& client) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  UniqueDc dc(CreateCompatibleDC(target));
  UniqueGdiObject<HBITMAP> canvas(CreateCompatibleBitmap(target, width, height));
  Selected selected(dc.Get(), canvas.Get());
  {
    Gdiplus::Graphics graphics(dc.Get());
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::SolidBrush background(GdiplusColor(scene_.background));
    graphics.FillRectangle(&background, 0, 0, width, height);
    const ScenePicture& tile = scene_.background_picture;
    if (const Decoded* picture = Picture(tile.bytes)) {
      for (int y = -(scroll_ % tile.height); y < height; y += tile.height) {
        for (int x = 0; x < width; x += tile.width) {
          graphics.DrawImage(picture->bitmap.get(), x, y, tile.width, tile.height);
        }
      }
    }
    for (const ScenePicture& scene_picture : scene_.pictures) {
      if (const Decoded* picture = Picture(scene_picture.bytes)) {
        graphics.DrawImage(picture->bitmap.get(), scene_picture.x, scene_picture.y - scroll_,
                           scene_picture.width, scene_picture.height);
      }
    }
  }
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextAlign(dc.Get(), TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  for (const SceneText& text : scene_.texts) {
    Selected font(dc.Get(), fonts_.Font(text.font));
    SetTextColor(dc.Get(), RGB(text.color >> 16, (text.color >> 8) & 0xFF, text.color & 0xFF));
    TextOutW(dc.Get(), text.x, text.baseline - scroll_,
             reinterpret_cast<const wchar_t*>(text.text.data()),
             static_cast<int>(text.text.size()));
  }
  BitBlt(target, client.left, client.top, width, height, dc.Get(), 0, 0, SRCCOPY);
}

void PreviewWindow::UpdateScrollBar() {
  RECT client;
  GetClientRect(hwnd_, &client);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(scene_.height - 1, 0);
  info.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 0));
  info.nPos = scroll_;
  // A page no taller than the view hides the bar.
  SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

void PreviewWindow::ScrollTo(int position) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int most = std::max(scene_.height - static_cast<int>(client.bottom), 0);
  position = std::clamp(position, 0, most);
  if (position == scroll_) return;
  scroll_ = position;
  SetScrollPos(hwnd_, SB_VERT, scroll_, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int page = std::max<int>(client.bottom, kLineStep);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painting covers everything
    case WM_PAINT: {
      PaintDc dc(hwnd_);
      Paint(dc.Get(), client);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam), client);
      return 0;
    case WM_SIZE:
      UpdateScrollBar();
      ScrollTo(scroll_);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wparam) * kWheelLines * kLineStep / WHEEL_DELTA);
      return 0;
    case WM_KEYDOWN: {
      const int steps[][2] = {{VK_UP, -kLineStep},       {VK_DOWN, kLineStep},
                              {VK_PRIOR, -page},         {VK_NEXT, page},
                              {VK_HOME, -scene_.height}, {VK_END, scene_.height}};
      for (const auto& [key, step] : steps) {
        if (static_cast<int>(wparam) == key) ScrollTo(scroll_ + step);
      }
      return 0;
    }
    case WM_VSCROLL: {
      const int part = LOWORD(wparam);
      if (part == SB_THUMBTRACK || part == SB_THUMBPOSITION) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_VERT, &info);
        ScrollTo(info.nTrackPos);
      }
      const int steps[][2] = {{SB_LINEUP, -kLineStep},  {SB_LINEDOWN, kLineStep},
                              {SB_PAGEUP, -page},       {SB_PAGEDOWN, page},
                              {SB_TOP, -scene_.height}, {SB_BOTTOM, scene_.height}};
      for (const auto& [step_part, step] : steps) {
        if (part == step_part) ScrollTo(scroll_ + step);
      }
      return 0;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace rxTheme::com
