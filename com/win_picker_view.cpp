#include "win_picker_view.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include "com_support.h"
#include "picker/dialog_layout.h"
#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include "win_preview.h"
#include "win_window.h"

namespace rxTheme::com {
namespace {

constexpr wchar_t kDialogClass[] = L"rxThemePickerDialog";
constexpr wchar_t kViewProperty[] = L"rxThemePickerView";
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Control identifiers: 100 + the control's place in the table, so that none
// is IDOK or IDCANCEL, which the keyboard handling sends for Enter and Escape.
constexpr int kFirstControlId = 100;
constexpr int kDialogFontPoints = 8;

int CommandId(ControlId id) { return kFirstControlId + static_cast<int>(id); }

double ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96.0;
}

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

// While the dialog is modal, the thread's other windows take no input.
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

struct CommonControls {
  CommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

class Win32PickerView : public PickerView {
 public:
  Win32PickerView() : dpi_(ScreenDpi()) { Create(); }
  Win32PickerView(const Win32PickerView&) = delete;
  Win32PickerView& operator=(const Win32PickerView&) = delete;

  void ShowMessage(const WString& text, const WString& title, MessageIcon icon) override {
    const UINT icons[] = {MB_ICONERROR, MB_ICONWARNING, MB_ICONINFORMATION};
    MessageBoxW(IsWindowVisible(dialog_) ? dialog_ : nullptr, Wide(text), Wide(title),
                MB_OK | icons[static_cast<int>(icon)]);
  }

  void ShowPreview(const PreviewScene& scene) override { preview_.SetScene(scene); }
  const TextMetrics& PreviewMetrics() const override {
    return const_cast<PreviewWindow&>(preview_).Fonts();
  }

  void ThemesChanged(const ThemePicker& picker) override {
    updating_ = true;
    HWND tree = Control(ControlId::kTvwThemes);
    const ThemeList& themes = picker.Themes();
    if (revision_ != picker.ThemesRevision()) {
      revision_ = picker.ThemesRevision();
      SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
      items_.clear();
      for (size_t i = 0; i < themes.size(); ++i) {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        WString text = themes[i].text;
        insert.item.pszText = const_cast<wchar_t*>(Wide(text));
        insert.item.lParam = static_cast<LPARAM>(i);
        items_.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
      }
    }
    const size_t selected = picker.SelectedTheme();
    if (selected < items_.size()) {
      SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[selected]));
    }
    updating_ = false;
  }

  void ControlsChanged(const ThemePicker& picker) override {
    for (const ControlSpec& control : PickerControls()) {
      HWND window = Control(control.id);
      EnableWindow(window, picker.Enabled(control.id));
      // 0, 1 and 2 are the box's unchecked, checked and grayed states.
      if (control.kind == ControlKind::kCheckBox) {
        SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(picker.CheckState(control.id)), 0);
      }
    }
  }

  // The system's comparison for the user's language, as the list control
  // sorts: letters before accents before case, punctuation and symbols
  // passed over.
  int CompareTitles(std::u16string_view a, std::u16string_view b) const override {
    const int order = CompareStringEx(
        LOCALE_NAME_USER_DEFAULT, NORM_IGNORESYMBOLS, reinterpret_cast<const wchar_t*>(a.data()),
        static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
        static_cast<int>(b.size()), nullptr, nullptr, 0);
    return order == 0 ? CollateTitles(a, b) : order - CSTR_EQUAL;
  }

  TwipsSize ScreenTwips() const override {
    return {Twips(GetSystemMetrics(SM_CXSCREEN)), Twips(GetSystemMetrics(SM_CYSCREEN))};
  }

  TwipsSize DialogTwips() const override {
    RECT outer;
    GetWindowRect(dialog_, &outer);
    return {Twips(outer.right - outer.left), Twips(outer.bottom - outer.top)};
  }

  void RunModal(ThemePicker& picker) override {
    picker_ = &picker;
    ThemesChanged(picker);
    ControlsChanged(picker);
    SetWindowPos(dialog_, nullptr, Pixels(picker.Left()), Pixels(picker.Top()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ended_ = false;
    {
      OtherWindowsDisabled others(dialog_);
      ShowWindow(dialog_, SW_SHOW);
      SetForegroundWindow(dialog_);
      SetFocus(GetNextDlgTabItem(dialog_, nullptr, FALSE));
      MSG message;
      while (!ended_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
          PostQuitMessage(static_cast<int>(message.wParam));  // for the caller's own loop
          break;
        }
        if (got < 0) break;
        if (!IsDialogMessageW(dialog_, &message)) {
          TranslateMessage(&message);
          DispatchMessageW(&message);
        }
        ShowDefaultButton();
      }
    }
    ShowWindow(dialog_, SW_HIDE);
    picker_ = nullptr;
  }

  void EndModal() override {
    ended_ = true;
    PostMessageW(dialog_, WM_NULL, 0, 0);
  }

 private:
  int Pixels(double twips) const { return TwipsToPixels(twips, dpi_); }
  double Twips(int pixels) const { return PixelsToTwips(pixels, dpi_); }
  HWND Control(ControlId id) const { return controls_[static_cast<size_t>(id)]; }

  // The control that has the focus, or kDialog.
  ControlId FocusedControl() const {
    const HWND focus = GetFocus();
    for (const ControlSpec& control : PickerControls()) {
      if (focus && Control(control.id) == focus) return control.id;
    }
    return ControlId::kDialog;
  }

  // The button that Enter clicks shows as the default one (the system's
  // keyboard handling may have moved the look after a change of focus).
  void ShowDefaultButton() {
    const ControlId button = ThemePicker::DefaultButton(FocusedControl());
    for (ControlId id : {ControlId::kCmdOK, ControlId::kCmdCancel, ControlId::kCmdHelp}) {
      const HWND window = Control(id);
      const LONG style = id == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      if ((GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) != style) {
        SendMessageW(window, BM_SETSTYLE, style, TRUE);
      }
    }
  }

  void Create() {
    const PixelRect client = ClientPixels(dpi_);
    RECT outer = {0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kDialogStyle, FALSE, kDialogExStyle);
    window_.reset(CreateWindowExW(kDialogExStyle, kDialogClass, Wide(kPickerCaption), kDialogStyle,
                                  0, 0, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, g_module, this));
    if (!window_) RaiseError(kCantCreateObject, u"The theme picker window cannot be created");
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(kDialogFontPoints, static_cast<int>(dpi_), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    font_.reset(CreateFontIndirectW(&lf));

    // Made in tab order, each below the one before: the tab order and the
    // stacking order are the same, and the frame lies under the check box
    // that sits on its top edge.
    HWND previous = HWND_TOP;
    for (ControlId id : TabOrder()) {
      const ControlSpec* control = &PickerControl(id);
      const PixelRect place = ControlPixelsInDialog(id, dpi_);
      int width = place.width;
      if (GrowsWithCaption(control->kind)) {
        const int box = control->kind == ControlKind::kCheckBox
                            ? GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2
                            : 0;
        width = FittedWidth(*control, width, box + CaptionWidth(*control));
      }
      const RECT bounds = {place.left, place.top, place.left + width, place.top + place.height};
      const ControlClass window_class = ClassOf(*control);
      const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | window_class.style;
      HWND window;
      if (control->kind == ControlKind::kPreview) {
        window = preview_.Create(dialog_, CommandId(control->id), bounds, style);
      } else {
        window = CreateWindowExW(
            window_class.ex_style, window_class.name, Wide(WString(control->caption)), style,
            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
            dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandId(control->id))),
            g_module, nullptr);
      }
      if (!window) RaiseError(kCantCreateObject, u"The theme picker's controls cannot be created");
      SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
      controls_[static_cast<size_t>(control->id)] = window;
      previous = window;
    }
    HWND tree = Control(ControlId::kTvwThemes);
    SetPropW(tree, kViewProperty, this);
    tree_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
  }

  // The width of a control's caption in the dialog's font (an ampersand
  // marks the next letter; two stand for one).
  int CaptionWidth(const ControlSpec& control) const {
    const WString text = CaptionText(control.caption);
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font_.get());
    SIZE size = {};
    GetTextExtentPoint32W(screen, Wide(text), static_cast<int>(text.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return size.cx;
  }

  // The list's index of an entry, or kNone.
  size_t EntryIndex(HTREEITEM item) const {
    TVITEMW entry = {};
    entry.mask = TVIF_PARAM;
    entry.hItem = item;
    if (!item || !SendMessageW(Control(ControlId::kTvwThemes), TVM_GETITEMW, 0,
                               reinterpret_cast<LPARAM>(&entry))) {
      return ThemeList::kNone;
    }
    return static_cast<size_t>(entry.lParam);
  }

  // Loads the theme of a list entry, as the picker's click does.
  void ClickEntry(HTREEITEM item) {
    const size_t index = EntryIndex(item);
    if (updating_ || !picker_ || index == ThemeList::kNone) return;
    picker_->ClickTheme(index);
  }

  // Clicks of buttons and check boxes (also Enter through DM_GETDEFID), and
  // Escape (IDCANCEL from the keyboard handling).
  void OnCommand(int id, int code) {
    if (!picker_) return;
    if (id == IDCANCEL) return picker_->PressKey(DialogKey::kEscape, FocusedControl());
    const int index = id - kFirstControlId;
    if (code != BN_CLICKED || index < 0 || index >= static_cast<int>(kControlCount)) return;
    picker_->Activate(static_cast<ControlId>(index));
  }

  // The system's printing of a window leaves its children out; they are
  // printed here, bottom-most first: each one's border and scroll bar, then
  // its client area into a picture of its own (a control may take the
  // printing DC's origin for its own), copied to its place.
  void PrintChildren(HDC dc) {
    for (HWND child = GetWindow(GetWindow(dialog_, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
      if (!IsWindowVisible(child)) continue;
      RECT frame;
      GetWindowRect(child, &frame);
      MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&frame), 2);
      if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
        DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
      }
      PrintScrollBar(child, dc);
      RECT client;
      GetClientRect(child, &client);
      POINT origin = {0, 0};
      MapWindowPoints(child, dialog_, &origin, 1);
      UniqueDc picture(CreateCompatibleDC(dc));
      UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
      Selected selected(picture.get(), bitmap.get());
      // What the child leaves unpainted shows the dialog behind it.
      BitBlt(picture.get(), 0, 0, client.right, client.bottom, dc, origin.x, origin.y, SRCCOPY);
      SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(picture.get()),
                   PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
      BitBlt(dc, origin.x, origin.y, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
    }
  }

  // A child's vertical scroll bar, when it shows one: arrows, track and thumb.
  void PrintScrollBar(HWND child, HDC dc) {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(child, OBJID_VSCROLL, &info) ||
        (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))) {
      return;
    }
    RECT bar = info.rcScrollBar;
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&bar), 2);
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

 public:
  // For the window procedure: the dialog's window (nullptr once it is gone),
  // and its messages.
  void Attach(HWND window) {
    dialog_ = window;
    if (!window) (void)window_.release();  // destroyed already
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_COMMAND:
        OnCommand(LOWORD(wparam), HIWORD(wparam));
        return 0;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        // Moving in the list with the keys loads the entry; clicks are taken
        // by the list's own procedure; a selection made by the program or by
        // the focus arriving in the list loads nothing.
        if (header->code == TVN_SELCHANGEDW) {
          const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lparam);
          if (change->action == TVC_BYKEYBOARD) ClickEntry(change->itemNew.hItem);
        }
        return 0;
      }
      case DM_GETDEFID:  // what Enter clicks
        return MAKELRESULT(CommandId(ThemePicker::DefaultButton(FocusedControl())), DC_HASDEFID);
      case WM_NEXTDLGCTL: {
        HWND next = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                   : GetNextDlgTabItem(dialog_, GetFocus(), wparam != 0);
        if (next) SetFocus(next);
        return 0;
      }
      case WM_ACTIVATE:
        // The focus leaves with the activation (a message box over the
        // dialog) and comes back to the control that had it.
        if (LOWORD(wparam) == WA_INACTIVE) {
          const HWND focus = GetFocus();
          if (focus && IsChild(dialog_, focus)) last_focus_ = focus;
        } else if (last_focus_ && IsWindow(last_focus_) && IsWindowEnabled(last_focus_)) {
          SetFocus(last_focus_);
          return 0;
        }
        break;
      case WM_CLOSE:  // the close box: ends without a result
        if (picker_) {
          picker_->Close();
        } else {
          ended_ = true;
        }
        return 0;
      case WM_PRINT: {
        const LRESULT result =
            DefWindowProcW(dialog_, message, wparam, lparam & ~static_cast<LPARAM>(PRF_CHILDREN));
        if (lparam & PRF_CHILDREN) {
          // With the frame printed too, the client area starts inside it.
          const auto dc = reinterpret_cast<HDC>(wparam);
          POINT client = {0, 0};
          if (lparam & PRF_NONCLIENT) {
            RECT window;
            GetWindowRect(dialog_, &window);
            ClientToScreen(dialog_, &client);
            client = {client.x - window.left, client.y - window.top};
          }
          POINT origin;
          OffsetViewportOrgEx(dc, client.x, client.y, &origin);
          PrintChildren(dc);
          SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        }
        return result;
      }
    }
    return DefWindowProcW(dialog_, message, wparam, lparam);
  }

 private:
  // The list's procedure: a press of a mouse button on an entry goes to the
  // picker (the left button's once the list has selected the entry).
  static LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = static_cast<Win32PickerView*>(GetPropW(tree, kViewProperty));
    if (!self) return DefWindowProcW(tree, message, wparam, lparam);
    const WNDPROC original = self->tree_proc_;
    if (message == WM_NCDESTROY) RemovePropW(tree, kViewProperty);
    PointerButton button = PointerButton::kLeft;
    if (message == WM_RBUTTONDOWN) button = PointerButton::kRight;
    if (message == WM_MBUTTONDOWN) button = PointerButton::kMiddle;
    if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) {
      return CallWindowProcW(original, tree, message, wparam, lparam);
    }
    TVHITTESTINFO hit = {};
    hit.pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const LRESULT result = CallWindowProcW(original, tree, message, wparam, lparam);
    const bool selected =
        item == reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item && (hit.flags & TVHT_ONITEM) && (selected || button != PointerButton::kLeft) &&
        !self->updating_ && self->picker_) {
      const size_t index = self->EntryIndex(item);
      if (index != ThemeList::kNone) {
        GuardWindowProc([&] { self->picker_->PressEntry(index, button); });
      }
    }
    return result;
  }

  // Destroyed in reverse: the window (and its controls) first.
  double dpi_;
  PreviewWindow preview_;
  CommonControls common_controls_;
  WindowClass dialog_class_{kDialogClass, ObjectWindowProc<Win32PickerView>};
  UniqueGdiObject<HFONT> font_;
  UniqueWindow window_;
  HWND dialog_ = nullptr;  // the window, while it exists
  std::array<HWND, kControlCount> controls_{};
  std::vector<HTREEITEM> items_;
  size_t revision_ = static_cast<size_t>(-1);  // of the entries the list shows
  HWND last_focus_ = nullptr;                  // while the dialog is not active
  WNDPROC tree_proc_ = nullptr;
  ThemePicker* picker_ = nullptr;
  bool ended_ = false;
  bool updating_ = false;
};

}  // namespace

void InstallWin32PickerView() {
  InstallPickerViewFactory(
      []() -> std::unique_ptr<PickerView> { return std::make_unique<Win32PickerView>(); });
}

}  // namespace rxTheme::com
