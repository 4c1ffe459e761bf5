#include "win_picker_view.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include <array>
#include <memory>

#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include "com_support.h"
#include "picker/dialog_layout.h"
#include "win_picker_controls.h"
#include "win_preview.h"
#include "win_print.h"
#include "win_theme_list.h"
#include "win_window.h"

namespace rxTheme::com {
namespace {

constexpr wchar_t kDialogClass[] = L"rxThemePickerDialog";
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

struct CommonControls {
  CommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

// The dialog: the picker's controls made by CreatePickerControls, their
// events forwarded to the picker, and the modal loop.
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

  void ThemesChanged(const ThemePicker& picker) override { list_.Show(picker); }

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

  // For the window procedure: the dialog's window (nullptr once it is gone),
  // and its messages.
  void Attach(HWND window) {
    dialog_ = window;
    if (!window) (void)window_.Release();  // destroyed already
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
          if (change->action == TVC_BYKEYBOARD && picker_) {
            const size_t index = list_.EntryIndex(change->itemNew.hItem);
            if (index != ThemeList::kNone) picker_->ClickTheme(index);
          }
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
      case WM_PRINT:
        return PrintWithChildren(dialog_, reinterpret_cast<HDC>(wparam), lparam);
    }
    return DefWindowProcW(dialog_, message, wparam, lparam);
  }

 private:
  int Pixels(double twips) const { return TwipsToPixels(twips, dpi_); }
  double Twips(int pixels) const { return PixelsToTwips(pixels, dpi_); }
  HWND Control(ControlId id) const { return controls_[static_cast<size_t>(id)]; }

  void Create() {
    const PixelRect client = ClientPixels(dpi_);
    RECT outer = {0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kDialogStyle, FALSE, kDialogExStyle);
    window_.Reset(CreateWindowExW(kDialogExStyle, kDialogClass, Wide(kPickerCaption), kDialogStyle,
                                  0, 0, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, g_module, this));
    if (!window_) RaiseError(kCantCreateObject, u"The theme picker window cannot be created");
    font_ = DialogFont(dpi_);
    controls_ = CreatePickerControls(dialog_, dpi_, font_.Get(), preview_);
    list_.Attach(Control(ControlId::kTvwThemes), [this](size_t index, PointerButton button) {
      if (picker_) picker_->PressEntry(index, button);
    });
  }

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

  // Clicks of buttons and check boxes (also Enter through DM_GETDEFID), and
  // Escape (IDCANCEL from the keyboard handling).
  void OnCommand(int id, int code) {
    if (!picker_) return;
    if (id == IDCANCEL) return picker_->PressKey(DialogKey::kEscape, FocusedControl());
    const int index = id - kFirstControlId;
    if (code != BN_CLICKED || index < 0 || index >= static_cast<int>(kControlCount)) return;
    picker_->Activate(static_cast<ControlId>(index));
  }

  // Destroyed in reverse: the window (and its controls) first.
  double dpi_;
  PreviewWindow preview_;
  ThemeListControl list_;
  CommonControls common_controls_;
  WindowClass dialog_class_{kDialogClass, ObjectWindowProc<Win32PickerView>};
  UniqueGdiObject<HFONT> font_;
  UniqueWindow window_;
  HWND dialog_ = nullptr;  // the window, while it exists
  std::array<HWND, kControlCount> controls_{};
  HWND last_focus_ = nullptr;  // while the dialog is not active
  ThemePicker* picker_ = nullptr;
  bool ended_ = false;
};

}  // namespace

void InstallWin32PickerView() {
  InstallPickerViewFactory(
      []() -> std::unique_ptr<PickerView> { return std::make_unique<Win32PickerView>(); });
}

}  // namespace rxTheme::com
