// The theme picker's window on Windows: a PickerView built from the system's
// controls (the tree-view control for the theme list) and the preview window,
// laid out from the picker's control table at the screen's resolution, and
// shown modally on the caller's thread with its own message loop.
#pragma once

namespace rxTheme::com {

// Makes SelectTheme show its dialog with Win32 controls.
void InstallWin32PickerView();

}  // namespace rxTheme::com
