// The theme picker's window in Qt Widgets: a PickerView that lays the
// dialog's controls out as the picker core places them (picker/dialog_layout.h)
// and forwards the user's actions to the picker.
#pragma once

#include <functional>

class QDialog;

namespace rxTheme {

class ThemePicker;

struct QtPickerOptions {
  // Runs once the modal dialog is on screen (from its event loop), for
  // scripted use: tests and screenshots.
  std::function<void(QDialog& dialog, ThemePicker& picker)> on_shown;
};

// Makes SelectTheme show its dialog with Qt. Creates the QApplication when
// none exists yet (it then lives until the process ends).
void InstallQtPickerView(QtPickerOptions options = {});

}  // namespace rxTheme
