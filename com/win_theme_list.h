// The picker's theme list as the system's tree-view control: the entries in
// the picker's order, its selection, and the presses of mouse buttons on
// entries.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <vector>

#include <rxtheme/picker/theme_picker.h>

namespace rxTheme::com {

class ThemeListControl {
 public:
  // A press of a mouse button on the entry at an index.
  using Press = std::function<void(size_t index, PointerButton button)>;

  ThemeListControl() = default;
  ThemeListControl(const ThemeListControl&) = delete;
  ThemeListControl& operator=(const ThemeListControl&) = delete;

  // Takes `tree` over: a press on an entry goes to `press` (the left
  // button's once the list has selected the entry), except while Show runs.
  void Attach(HWND tree, Press press);

  // Shows the picker's entries (made again only when they changed) and its
  // selection.
  void Show(const ThemePicker& picker);

  // The index of an entry, or ThemeList::kNone; kNone too while Show runs,
  // so that the selections it makes load nothing.
  size_t EntryIndex(HTREEITEM item) const;

 private:
  static LRESULT CALLBACK Procedure(HWND tree, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Pressed(UINT message, WPARAM wparam, LPARAM lparam);

  HWND tree_ = nullptr;
  WNDPROC original_ = nullptr;
  Press press_;
  std::vector<HTREEITEM> items_;
  size_t revision_ = static_cast<size_t>(-1);  // of the entries the list shows
  bool updating_ = false;
};

}  // namespace rxTheme::com
