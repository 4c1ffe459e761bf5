// Printing a window with its children (WM_PRINT with PRF_CHILDREN): the
// system prints a window's own frame and client area but leaves its child
// windows out, so a dialog's screenshot would show none of its controls.
#pragma once

#include <windows.h>

namespace rxTheme::com {

// Answers WM_PRINT for `window`: the window itself as the system prints it,
// then, when `flags` ask for them, its visible children in place.
LRESULT PrintWithChildren(HWND window, HDC dc, LPARAM flags);

}  // namespace rxTheme::com
