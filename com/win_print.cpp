#include "win_print.h"

#include "win_owners.h"

namespace rxTheme::com {
namespace {

// A child's vertical scroll bar, when it shows one: arrows, track and thumb.
void PrintScrollBar(HWND parent, HWND child, HDC dc) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(child, OBJID_VSCROLL, &info) ||
      (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))) {
    return;
  }
  RECT bar = info.rcScrollBar;
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bar), 2);
  // The arrows are as tall as the system's scroll-bar arrows (Wine's
  // dxyLineButton gives the thumb's size instead).
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  FillRect(dc, &bar, GetSysColorBrush(COLOR_SCROLLBAR));
  RECT up = {bar.left, bar.top, bar.right, bar.top + arrow};
  RECT down = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP);
  DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN);
  RECT thumb = {bar.left, bar.top + info.xyThumbTop, bar.right, bar.top + info.xyThumbBottom};
  if (thumb.bottom > thumb.top) {
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
  }
}

// The children, bottom-most first: each one's border and scroll bar, then
// its client area into a picture of its own (a control may take the
// printing DC's origin for its own), copied to its place. `dc` has its
// origin at the parent's client area.
void PrintChildren(HWND parent, HDC dc) {
  for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child;
       child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child)) continue;
    RECT frame;
    GetWindowRect(child, &frame);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&frame), 2);
    if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
      DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    }
    PrintScrollBar(parent, child, dc);
    RECT client;
    GetClientRect(child, &client);
    POINT origin = {0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    UniqueDc picture(CreateCompatibleDC(dc));
    UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    Selected selected(picture.Get(), bitmap.Get());
    // What the child leaves unpainted shows the parent behind it.
    BitBlt(picture.Get(), 0, 0, client.right, client.bottom, dc, origin.x, origin.y, SRCCOPY);
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(picture.Get()),
                 PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    BitBlt(dc, origin.x, origin.y, client.right, client.bottom, picture.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace

LRESULT PrintWithChildren(HWND window, HDC dc, LPARAM flags) {
  const LRESULT result = DefWindowProcW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                                        flags & ~static_cast<LPARAM>(PRF_CHILDREN));
  if (!(flags & PRF_CHILDREN)) return result;
  // With the frame printed too, the client area starts inside it.
  POINT client = {0, 0};
  if (flags & PRF_NONCLIENT) {
    RECT outer;
    GetWindowRect(window, &outer);
    ClientToScreen(window, &client);
    client = {client.x - outer.left, client.y - outer.top};
  }
  POINT origin;
  OffsetViewportOrgEx(dc, client.x, client.y, &origin);
  PrintChildren(window, dc);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  return result;
}

}  // namespace rxTheme::com
