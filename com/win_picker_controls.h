// The picker dialog's controls as Win32 windows: each control of the
// picker's table made as the system control of its kind, at the place and
// size the picker gives it at the screen's resolution, in tab order.
#pragma once

#include <windows.h>

#include <array>

#include <rxtheme/picker/theme_picker.h>
#include "win_owners.h"

namespace rxTheme::com {

class PreviewWindow;

// Control identifiers: 100 + the control's place in the table, so that none
// is IDOK or IDCANCEL, which the keyboard handling sends for Enter and Escape.
inline constexpr int kFirstControlId = 100;
inline int CommandId(ControlId id) { return kFirstControlId + static_cast<int>(id); }

// The screen's pixels per inch (96 when the screen does not say).
double ScreenDpi();

// The dialog's font at `dpi`.
UniqueGdiObject<HFONT> DialogFont(double dpi);

// Makes every control of the picker's table in `dialog`, in `font`, the
// preview through `preview`: in tab order, each below the one before, so that
// the tab order and the stacking order are the same and a frame lies under
// the check box on its top edge. Raises 429 when a control cannot be made.
std::array<HWND, kControlCount> CreatePickerControls(HWND dialog, double dpi, HFONT font,
                                                     PreviewWindow& preview);

}  // namespace rxTheme::com
