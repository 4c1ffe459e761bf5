#include "win_picker_controls.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "com_support.h"
#include "picker/dialog_layout.h"
#include "win_preview.h"

namespace rxTheme::com {
namespace {

constexpr int kDialogFontPoints = 8;

// The window class and control styles of each kind of control.
struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

ControlClass ClassOf(const ControlSpec& control) {
  switch (control.kind) {
    case ControlKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::kCheckBox:
      // Not an automatic box: a click asks the picker, which sets the state.
      return {L"BUTTON", BS_3STATE | WS_TABSTOP, 0};
    case ControlKind::kLabel:
      return {L"STATIC", SS_LEFT, 0};
    case ControlKind::kThemeList:
      // Text only (no lines, buttons or pictures), hot tracking, the selection
      // kept visible without the focus, no editing and no dragging.
      return {WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_DISABLEDRAGDROP | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::kPreview:
      return {nullptr, WS_TABSTOP, 0};
    case ControlKind::kButton:
      return {L"BUTTON",
              static_cast<DWORD>(control.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                  WS_TABSTOP,
              0};
  }
  return {L"STATIC", 0, 0};
}

// The width of a control's caption in `font` (an ampersand marks the next
// letter; two stand for one).
int CaptionWidth(const ControlSpec& control, HFONT font) {
  const WString text = CaptionText(control.caption);
  const WindowDc screen(nullptr);
  const Selected selected(screen.Get(), font);
  SIZE size = {};
  GetTextExtentPoint32W(screen.Get(), Wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

// The control's place, as wide as its caption needs where it grows with it.
RECT Bounds(const ControlSpec& control, double dpi, HFONT font) {
  const PixelRect place = ControlPixelsInDialog(control.id, dpi);
  int width = place.width;
  if (GrowsWithCaption(control.kind)) {
    const int box = control.kind == ControlKind::kCheckBox
                        ? GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2
                        : 0;
    width = FittedWidth(control, width, box + CaptionWidth(control, font));
  }
  return {place.left, place.top, place.left + width, place.top + place.height};
}

}  // namespace

double ScreenDpi() {
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96.0;
}

UniqueGdiObject<HFONT> DialogFont(double dpi) {
  LOGFONTW lf = {};
  lf.lfHeight = -MulDiv(kDialogFontPoints, static_cast<int>(dpi), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
  return UniqueGdiObject<HFONT>(CreateFontIndirectW(&lf));
}

std::array<HWND, kControlCount> CreatePickerControls(HWND dialog, double dpi, HFONT font,
                                                     PreviewWindow& preview) {
  std::array<HWND, kControlCount> controls{};
  HWND previous = HWND_TOP;
  for (ControlId id : TabOrder()) {
    const ControlSpec& control = PickerControl(id);
    const RECT bounds = Bounds(control, dpi, font);
    const ControlClass window_class = ClassOf(control);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | window_class.style;
    HWND window;
    if (control.kind == ControlKind::kPreview) {
      window = preview.Create(dialog, CommandId(id), bounds, style);
    } else {
      window = CreateWindowExW(
          window_class.ex_style, window_class.name, Wide(WString(control.caption)), style,
          bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, dialog,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandId(id))), g_module, nullptr);
    }
    if (!window) RaiseError(kCantCreateObject, u"The theme picker's controls cannot be created");
    SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls[static_cast<size_t>(id)] = window;
    previous = window;
  }
  return controls;
}

}  // namespace rxTheme::com
