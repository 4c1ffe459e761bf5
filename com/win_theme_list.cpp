#include "win_theme_list.h"

// After windows.h, which it needs.
#include <windowsx.h>

#include "com_support.h"

namespace rxTheme::com {
namespace {

constexpr wchar_t kListProperty[] = L"rxThemePickerList";

}  // namespace

void ThemeListControl::Attach(HWND tree, Press press) {
  tree_ = tree;
  press_ = std::move(press);
  SetPropW(tree_, kListProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

void ThemeListControl::Show(const ThemePicker& picker) {
  updating_ = true;
  const ThemeList& themes = picker.Themes();
  if (revision_ != picker.ThemesRevision()) {
    revision_ = picker.ThemesRevision();
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
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
          SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    }
  }
  const size_t selected = picker.SelectedTheme();
  if (selected < items_.size()) {
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[selected]));
  }
  updating_ = false;
}

size_t ThemeListControl::EntryIndex(HTREEITEM item) const {
  TVITEMW entry = {};
  entry.mask = TVIF_PARAM;
  entry.hItem = item;
  if (updating_ || !item ||
      !SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry))) {
    return ThemeList::kNone;
  }
  return static_cast<size_t>(entry.lParam);
}

LRESULT CALLBACK ThemeListControl::Procedure(HWND tree, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  auto* self = static_cast<ThemeListControl*>(GetPropW(tree, kListProperty));
  if (!self) return DefWindowProcW(tree, message, wparam, lparam);
  if (message == WM_NCDESTROY) RemovePropW(tree, kListProperty);
  if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) {
    return CallWindowProcW(self->original_, tree, message, wparam, lparam);
  }
  return self->Pressed(message, wparam, lparam);
}

LRESULT ThemeListControl::Pressed(UINT message, WPARAM wparam, LPARAM lparam) {
  PointerButton button = PointerButton::kLeft;
  if (message == WM_RBUTTONDOWN) button = PointerButton::kRight;
  if (message == WM_MBUTTONDOWN) button = PointerButton::kMiddle;
  TVHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const auto item = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  // The list's own handling first: the left button selects the entry.
  const LRESULT result = CallWindowProcW(original_, tree_, message, wparam, lparam);
  const bool selected =
      item == reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (item && (hit.flags & TVHT_ONITEM) && (selected || button != PointerButton::kLeft)) {
    const size_t index = EntryIndex(item);
    if (index != ThemeList::kNone) GuardWindowProc([&] { press_(index, button); });
  }
  return result;
}

}  // namespace rxTheme::com
