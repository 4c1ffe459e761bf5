// The theme picker's window, driven as a user would: the theme is created
// through COM, SelectTheme runs on this thread, and a second thread works the
// dialog with window messages (clicks, keys, check boxes, buttons, the close
// box), looks at the preview's pixels and saves a screenshot.
//
// Usage: picker_test THEMES_FOLDER WORKING_FOLDER SCREENSHOT.png TITLES_FOLDER
// The themes folder holds Ember, Harbor, Meadow and Torn (a damaged
// package). The titles folder holds themes that are only listed, whose
// titles (some with the code page's quotation marks and accented letters)
// test the list's order.
// The last line is "win32 picker: N passed, M failed".
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "gdiplus_session.h"
#include "rxtheme_idl.h"
#include "win_owners.h"

using rxTheme::com::ComRef;
using rxTheme::com::UniqueBstr;

namespace {

int g_passed = 0;
int g_failed = 0;

void Check(bool ok, const char* what) {
  if (!ok) std::printf("  FAIL: %s\n", what);
  ++(ok ? g_passed : g_failed);
}

// Polls `done` every 20 ms for up to `seconds` (five unless told).
bool WaitFor(const std::function<bool()>& done, int seconds = 5) {
  for (int i = 0; i < seconds * 50; ++i) {
    if (done()) return true;
    Sleep(20);
  }
  return false;
}

// The text of a tree-view entry.
std::wstring Text(HWND tree, HTREEITEM item) {
  wchar_t text[256] = {};
  TVITEMW entry = {};
  entry.mask = TVIF_TEXT | TVIF_HANDLE;
  entry.hItem = item;
  entry.pszText = text;
  entry.cchTextMax = 256;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
  return text;
}

std::vector<HTREEITEM> Entries(HWND tree) {
  std::vector<HTREEITEM> items;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                               reinterpret_cast<LPARAM>(item)))) {
    items.push_back(item);
  }
  return items;
}

HTREEITEM Selected(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// The dialog once it is shown, or a message box over it.
HWND Shown(HWND window) { return window && IsWindowVisible(window) ? window : nullptr; }
HWND FindDialog() { return Shown(FindWindowW(L"rxThemePickerDialog", L"Select Theme")); }
HWND FindMessageBox() { return Shown(FindWindowW(L"#32770", L"Corvane Webdrift")); }

// GDI+'s PNG encoder.
const CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The client area of a window as the window prints it (PrintWindow), saved
// as PNG when `png` is given; no pixels when that fails.
std::vector<DWORD> Pixels(HWND window, const wchar_t* png = nullptr) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const rxTheme::com::UniqueDc dc(CreateCompatibleDC(nullptr));
  const rxTheme::com::UniqueGdiObject<HBITMAP> bitmap(
      CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<DWORD> pixels;
  bool printed;
  {
    const rxTheme::com::Selected selected(dc.Get(), bitmap.Get());
    printed = PrintWindow(window, dc.Get(), PW_CLIENTONLY);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    pixels.assign(first, first + client.right * client.bottom);
  }
  Gdiplus::Bitmap image(bitmap.Get(), nullptr);
  if (!printed || (png && image.Save(png, &kPngEncoder, nullptr) != Gdiplus::Ok)) pixels.clear();
  return pixels;
}

// The dialog as the driving thread sees it.
struct Dialog {
  DWORD thread;
  HWND window = nullptr, tree = nullptr, preview = nullptr;

  HWND Button(const wchar_t* caption) const {
    return FindWindowExW(window, nullptr, L"BUTTON", caption);
  }
  int State(const wchar_t* box) const {
    return static_cast<int>(SendMessageW(Button(box), BM_GETCHECK, 0, 0));
  }
  HWND Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info.hwndFocus;
  }
  // Returns once the dialog's thread has handled what it was busy with.
  void Settle() const { SendMessageW(window, WM_NULL, 0, 0); }

  // The preview's pixels once they differ from `before`, waited for as long
  // as WaitFor waits; empty when they never do. Input reaches the dialog
  // through its queue, so its effect is waited for, never assumed.
  std::vector<DWORD> PreviewChangedFrom(const std::vector<DWORD>& before) const {
    std::vector<DWORD> now;
    if (!WaitFor([&] { return !(now = Pixels(preview)).empty() && now != before; })) now.clear();
    return now;
  }

  // A press and release of the left button on entry `index`; true once the
  // entry is selected. What the click loads is for the caller to wait for:
  // an entry that was selected already is selected before the click arrives.
  bool Click(size_t index) const {
    const HTREEITEM item = Entries(tree)[index];
    RECT bounds;  // holds the entry's handle on the way in
    std::memcpy(&bounds, &item, sizeof item);
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&bounds));
    const LPARAM at =
        MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tree, WM_LBUTTONUP, 0, at);
    return WaitFor([&] { return Selected(tree) == item; });
  }

  // The text of the message box that comes up over the dialog, which is
  // then closed; empty when none comes.
  std::wstring CloseMessageBox() const {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindMessageBox()) != nullptr; })) return {};
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's message
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([] { return !FindMessageBox(); });
    return text;
  }
};

// Runs SelectTheme on `theme` while `drive` works the dialog; returns the
// result code, or -1 when SelectTheme fails.
LONG RunPicker(_CTheme* theme, const std::function<void(Dialog&)>& drive) {
  Dialog dialog{GetCurrentThreadId()};
  std::thread driver([&] {
    // The first dialog of a run loads the common controls and fonts, which
    // a busy machine may take a while over.
    if (!WaitFor([&] { return (dialog.window = FindDialog()) != nullptr; }, 30)) {
      return Check(false, "the dialog appears");
    }
    dialog.tree = FindWindowExW(dialog.window, nullptr, WC_TREEVIEWW, nullptr);
    dialog.preview = FindWindowExW(dialog.window, nullptr, L"rxThemePreview", nullptr);
    Check(dialog.tree && dialog.preview, "the dialog has its list and preview");
    if (dialog.tree && dialog.preview) drive(dialog);
    // Whatever the driver left open closes now.
    if (IsWindowVisible(dialog.window)) PostMessageW(dialog.window, WM_CLOSE, 0, 0);
  });
  LONG result = -1;
  _CTheme* parent = theme;
  const HRESULT status = theme->SelectTheme(&parent, &result);
  if (FAILED(status)) {
    // Says why, so that a failure in a test run can be read, not guessed.
    std::wstring why;
    ComRef<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) == S_OK && info) {
      UniqueBstr text;
      if (SUCCEEDED(info->GetDescription(text.Put())) && text.Get()) why = text.Get();
    }
    std::printf("  note: SelectTheme failed with 0x%08lx: %ls\n",
                static_cast<unsigned long>(status), why.c_str());
    result = -1;
  }
  driver.join();
  return result;
}

// String properties of the theme.
using Putter = HRESULT (STDMETHODCALLTYPE _CTheme::*)(BSTR*);
void Put(_CTheme* theme, Putter put, const wchar_t* value) {
  UniqueBstr text(SysAllocString(value));
  (theme->*put)(text.InOut());
}
std::wstring Get(_CTheme* theme, Putter get) {
  UniqueBstr text;
  (theme->*get)(text.Put());
  return text.Get() ? text.Get() : L"";
}

// The theme's switches: ColorIndex, GraphIndex, UseBackgroundImage and
// UseCustomSettings, in that order.
std::vector<int> Switches(_CTheme* theme) {
  short color = 0, graph = 0;
  VARIANT_BOOL background = 0, custom = 0;
  theme->get_ColorIndex(&color);
  theme->get_GraphIndex(&graph);
  theme->get_UseBackgroundImage(&background);
  theme->get_UseCustomSettings(&custom);
  return {color, graph, background != 0, custom != 0};
}

// --- Keys as the keyboard sends them, and the controls as the dialog places them.

// A press and release of `key` on the control that has the focus, through
// the dialog thread's message queue.
void PressKey(const Dialog& d, WPARAM key) {
  const HWND to = d.Focus();
  PostMessageW(to, WM_KEYDOWN, key, 1);
  PostMessageW(to, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Tab, then the window that the focus moved to (nullptr when it did not move).
HWND Tab(const Dialog& d) {
  const HWND before = d.Focus();
  PressKey(d, VK_TAB);
  HWND now = nullptr;
  return WaitFor([&] { return (now = d.Focus()) != before; }) ? now : nullptr;
}

// Tabs until `target` has the focus (at most once around the dialog).
bool TabTo(const Dialog& d, HWND target) {
  for (int i = 0; i < 16 && d.Focus() != target; ++i) Tab(d);
  return d.Focus() == target;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}
std::wstring CaptionOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

// A control as the dialog shows it at 96 dots per inch: its window class,
// its caption (an ampersand before the access key), its place in the
// client area, and whether its width may grow to fit its caption.
struct PlacedControl {
  const wchar_t* window_class;
  const wchar_t* caption;
  int left, top, width, height;
  bool grows;
};
// In stacking order, which is the tab order.
const PlacedControl kPlacedControls[] = {
    {L"Button", L"This Page &Uses Themes", 16, 16, 137, 17, true},
    {L"Static", L"Available &Themes :", 16, 48, 90, 13, true},
    {L"SysTreeView32", L"", 16, 64, 193, 209, false},
    {L"Button", L"&Vivid Colors", 16, 288, 189, 13, true},
    {L"Button", L"Active &Graphics", 16, 306, 189, 13, true},
    {L"Button", L"&Background Image", 16, 322, 189, 17, true},
    {L"Button", L"Use &Custom Settings", 16, 340, 193, 17, true},
    {L"Button", L"OK", 456, 376, 73, 25, false},
    {L"Button", L"Cancel", 536, 376, 73, 25, false},
    {L"Button", L"Help", 616, 376, 73, 25, false},
    {L"rxThemePreview", L"", 226, 38, 465, 331, false},
    {L"Button", L"", 8, 16, 209, 353, false},
    {L"Static", L"Theme Preview :", 224, 16, 80, 13, true},
};

// The dialog's children against kPlacedControls; the first difference.
std::string ControlTableDifference(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  if (client.right != 698 || client.bottom != 411) return "the client area is not 698 x 411";
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const PlacedControl& want : kPlacedControls) {
    char what[160];
    std::snprintf(what, sizeof what, "control \"%ls\" (%ls)", want.caption, want.window_class);
    if (!child) return std::string(what) + " is missing";
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const int width = r.right - r.left;
    if (lstrcmpiW(ClassOf(child).c_str(), want.window_class) != 0 ||
        CaptionOf(child) != want.caption) {
      return std::string(what) + " is not in its place in the order";
    }
    if (r.left != want.left || r.top != want.top || r.bottom - r.top != want.height ||
        (want.grows ? width < want.width : width != want.width)) {
      char got[96];
      std::snprintf(got, sizeof got, " is at %ld,%ld %dx%ld", r.left, r.top, width,
                    r.bottom - r.top);
      return std::string(what) + got;
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return child ? "the dialog has more controls" : "";
}

// Whether a push button shows as the dialog's default button.
bool IsDefault(HWND button) {
  return (SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
}

// The entries' texts of the list.
std::vector<std::wstring> Texts(HWND tree) {
  std::vector<std::wstring> texts;
  for (HTREEITEM item : Entries(tree)) texts.push_back(Text(tree, item));
  return texts;
}

// The preview's pixel near its top right corner, in the page's margin, as 0xRRGGBB.
DWORD MarginPixel(HWND preview) {
  RECT client;
  GetClientRect(preview, &client);
  const std::vector<DWORD> pixels = Pixels(preview);
  const size_t at = 3 * static_cast<size_t>(client.right) + client.right - 3;
  return at < pixels.size() ? pixels[at] & 0xFFFFFF : 0xFFFFFFFF;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return 2;
  const rxTheme::com::ComApartment apartment;
  {
    const rxTheme::com::GdiplusSession gdiplus;
    CLSID clsid = {};
    Check(SUCCEEDED(CLSIDFromProgID(L"rxTheme.CTheme", &clsid)), "rxTheme.CTheme is registered");
    auto NewTheme = [&] {
      ComRef<_CTheme> theme;
      CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__CTheme, theme.PutVoid());
      Put(theme.Get(), &_CTheme::put_ThemesFolder, argv[1]);
      Put(theme.Get(), &_CTheme::put_WorkingFolder, argv[2]);
      return theme;
    };
    const std::vector<std::wstring> titles = {L"Ember", L"Harbor", L"Meadow", L"Torn"};

    // Opening, the focus entering the list, a key, and Escape.
    ComRef<_CTheme> theme = NewTheme();
    LONG result = RunPicker(theme.Get(), [&](Dialog& d) {
      Check(Texts(d.tree) == titles, "the list: titles sorted");
      Check(d.State(L"This Page &Uses Themes") == 1 && d.State(L"&Vivid Colors") == 0 &&
                d.State(L"Active &Graphics") == 1 && d.State(L"&Background Image") == 1 &&
                d.State(L"Use &Custom Settings") == 0,
            "the boxes on opening without a current theme");
      RECT outer;
      GetWindowRect(d.window, &outer);
      const int centre = (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2;
      Check(std::abs(outer.left - centre) <= 1, "the dialog centred by its outer size");
      const std::vector<DWORD> nothing = Pixels(d.preview);
      Check(WaitFor([&] { return d.Focus() != nullptr; }), "the dialog takes the focus");
      PressKey(d, VK_TAB);
      Check(WaitFor([&] { return d.Focus() == d.tree; }), "Tab moves into the list");
      d.Settle();
      Check(Pixels(d.preview) == nothing, "the focus entering the list loads nothing");
      const bool clicked = d.Click(0);
      const std::vector<DWORD> ember = d.PreviewChangedFrom(nothing);
      Check(clicked && !ember.empty(), "a click on the entry the focus selected loads it");
      PressKey(d, VK_DOWN);
      Check(WaitFor([&] { return Selected(d.tree) != Entries(d.tree)[0]; }), "a key moves");
      Check(!d.PreviewChangedFrom(ember).empty(), "a key loads the entry and previews it");
      PressKey(d, VK_ESCAPE);
    });
    Check(result == 0, "Escape closes with 0");
    Check(Get(theme.Get(), &_CTheme::get_CurrentThemeName) == L"Harbor" &&
              Switches(theme.Get()) == std::vector<int>{0, 1, 1, 0},
          "the theme keeps the key's choice and the opening's options");

    // A click, every option, a screenshot, another click, Enter in the list
    // (where OK is the default).
    theme = NewTheme();
    result = RunPicker(theme.Get(), [&](Dialog& d) {
      const std::vector<DWORD> nothing = Pixels(d.preview);
      Check(d.Click(1) && !d.PreviewChangedFrom(nothing).empty(), "a click loads Harbor");
      Check(!Pixels(d.window, argv[3]).empty(), "the screenshot is saved");
      for (const wchar_t* box :
           {L"&Vivid Colors", L"Active &Graphics", L"&Background Image", L"Use &Custom Settings"}) {
        const int before = d.State(box);
        const std::vector<DWORD> pixels = Pixels(d.preview);
        SendMessageW(d.Button(box), BM_CLICK, 0, 0);
        Check(d.State(box) == 1 - before, "a click turns a box over");
        // The theme has no custom values: that box changes nothing to see.
        Check(box[0] == L'U' || !d.PreviewChangedFrom(pixels).empty(),
              "an option changes the preview");
      }
      SendMessageW(d.Button(L"This Page &Uses Themes"), BM_CLICK, 0, 0);
      Check(!IsWindowEnabled(d.tree) && !IsWindowEnabled(d.Button(L"&Vivid Colors")),
            "themes off disables the list and the options");
      SendMessageW(d.Button(L"This Page &Uses Themes"), BM_CLICK, 0, 0);
      Check(IsWindowEnabled(d.tree), "themes on enables them again");
      const std::vector<DWORD> harbor = Pixels(d.preview);
      Check(d.Click(2) && !d.PreviewChangedFrom(harbor).empty(), "a click loads Meadow");
      Check(TabTo(d, d.Button(L"Help")) && TabTo(d, d.tree), "Tab reaches the list");
      Check(WaitFor([&] { return IsDefault(d.Button(L"OK")) && !IsDefault(d.Button(L"Cancel")); }),
            "OK shows as the default button in the list");
      PressKey(d, VK_RETURN);
    });
    Check(result == 1, "Enter in the list: 1");
    Check(Switches(theme.Get()) == std::vector<int>{1, 0, 0, 1}, "the options reach the theme");
    Check(Get(theme.Get(), &_CTheme::get_CurrentThemeFile).ends_with(L"\\meadow\\meadow.elm"),
          "Meadow is current");

    // The current theme selected on opening; a custom body color by name,
    // shown once Space turns custom settings on; then Cancel, which undoes nothing.
    theme = NewTheme();
    Put(theme.Get(), &_CTheme::put_CurrentThemeName, L"Harbor");
    {
      UniqueBstr body(SysAllocString(L"body"));
      ComRef<_CColorObject> color;
      theme->Color(body.InOut(), color.Put());
      UniqueBstr red(SysAllocString(L"red"));
      Check(color && SUCCEEDED(color->put_BackgroundColor(red.InOut())),
            "a custom body color is set");
    }
    result = RunPicker(theme.Get(), [&](Dialog& d) {
      Check(Text(d.tree, Selected(d.tree)) == L"Harbor", "the current theme is selected");
      Check(d.State(L"&Background Image") == 0, "its options are the theme's");
      Check(MarginPixel(d.preview) != 0xFF0000, "the theme's own color before");
      Check(TabTo(d, d.Button(L"Use &Custom Settings")), "Tab reaches Use Custom Settings");
      PressKey(d, VK_SPACE);
      Check(WaitFor([&] { return MarginPixel(d.preview) == 0xFF0000; }),
            "the custom body color red paints red");
      SendMessageW(d.Button(L"&Background Image"), BM_CLICK, 0, 0);
      SendMessageW(d.Button(L"Cancel"), BM_CLICK, 0, 0);
    });
    Check(result == 2 && Switches(theme.Get())[2] == 1 && Switches(theme.Get())[3] == 1,
          "Cancel gives 2 and keeps the changes");

    // --- The keyboard, the control table and the title order.

    // The controls in their places; Tab visits them in the table's order.
    // Failures in the dialog are shown and it stays: a click on Help or Enter
    // on it (here: the help file is missing), a damaged package. Enter on
    // Cancel then ends with 2.
    theme = NewTheme();
    Put(theme.Get(), &_CTheme::put_HelpFile, L"Z:\\nowhere\\webdrift.chm");
    result = RunPicker(theme.Get(), [&](Dialog& d) {
      const std::string difference = ControlTableDifference(d.window);
      if (!difference.empty()) std::printf("  %s\n", difference.c_str());
      Check(difference.empty(), "the controls at their places at 96 dpi, in tab order");
      std::vector<std::wstring> visited = {CaptionOf(d.Focus())};
      for (int i = 0; i < 10; ++i) {
        const HWND next = Tab(d);
        visited.push_back(next == d.tree      ? L"(list)"
                          : next == d.preview ? L"(preview)"
                                              : CaptionOf(next));
      }
      Check(visited == std::vector<std::wstring>{L"This Page &Uses Themes", L"(list)",
                                                 L"&Vivid Colors", L"Active &Graphics",
                                                 L"&Background Image", L"Use &Custom Settings",
                                                 L"OK", L"Cancel", L"Help", L"(preview)",
                                                 L"This Page &Uses Themes"},
            "Tab visits the controls in the table's order and around");
      PostMessageW(d.Button(L"Help"), BM_CLICK, 0, 0);
      Check(d.CloseMessageBox() ==
                L"Corvane Webdrift cannot locate the help file.\r\n\r\n"
                L"Please re-install Corvane Webdrift to install the help files.",
            "Help without a help file");
      d.Click(3);
      Check(d.CloseMessageBox().starts_with(L"Error 5: "), "a damaged package is reported");
      Check(TabTo(d, d.Button(L"Help")), "Tab reaches Help");
      PressKey(d, VK_RETURN);
      Check(d.CloseMessageBox().ends_with(L"to install the help files."),
            "Tab to Help, Enter: help");
      Check(WaitFor([&] { return d.Focus() == d.Button(L"Help"); }) && IsWindowVisible(d.window),
            "the dialog stays, Help keeps the focus");
      Check(TabTo(d, d.Button(L"Cancel")), "Tab reaches Cancel");
      Check(WaitFor([&] { return IsDefault(d.Button(L"Cancel")) && !IsDefault(d.Button(L"OK")); }),
            "the focused button shows as the default one");
      PressKey(d, VK_RETURN);
    });
    Check(result == 2, "Tab to Cancel, Enter: 2");

    // Titles in reading order, as the system compares them for the user's
    // language: accents and case after the letters, quotation marks passed over.
    theme = NewTheme();
    Put(theme.Get(), &_CTheme::put_ThemesFolder, argv[4]);
    result = RunPicker(theme.Get(), [&](Dialog& d) {
      std::vector<std::wstring> texts = Texts(d.tree);
      // "Dawn" and the quoted one are level: either may come first.
      const auto dawn = std::find(texts.begin(), texts.end(), L"Dawn");
      if (dawn != texts.end() && dawn != texts.begin() && *(dawn - 1) == L"\u201cDawn\u201d") {
        std::iter_swap(dawn, dawn - 1);
      }
      Check(texts == std::vector<std::wstring>{L"2 Rivers", L"Dawn", L"\u201cDawn\u201d", L"ember",
                                               L"Emeraude", L"\u00e9meraude", L"\u00c9meraude",
                                               L"Zeta"},
            "the titles in reading order");
      PostMessageW(d.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Check(result == 0, "the close box gives 0");

    // The theme passed in: a null reference, or an object that is no theme.
    auto ErrorOf = [&](IUnknown* object) {
      LONG code = 0;
      auto* parent = reinterpret_cast<_CTheme*>(object);
      return HRESULT_CODE(theme->SelectTheme(&parent, &code));
    };
    ComRef<IUnknown> bag, font;
    CoCreateInstance(CLSID_PropertyBagX, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                     bag.PutVoid());
    CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, font.PutVoid());
    Check(ErrorOf(nullptr) == 91, "a null theme: 91");
    Check(ErrorOf(bag.Get()) == 13 && ErrorOf(font.Get()) == 13, "an object that is no theme: 13");
  }
  std::printf("win32 picker: %d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 ? 0 : 1;
}
