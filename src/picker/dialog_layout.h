// The picker dialog's controls as a toolkit places them: the control table
// (ThemePicker's, in twips) converted to pixels at a screen resolution, the
// order in which Tab visits them, and their captions without the ampersands
// that mark access keys. Both front ends build their windows from this.
#pragma once

#include <string_view>
#include <vector>

#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// Twips (1/1440 inch) to whole pixels at a resolution in dots per inch
// (rounded to nearest), and back.
int TwipsToPixels(double twips, double dots_per_inch);
double PixelsToTwips(int pixels, double dots_per_inch);

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The dialog's client area in pixels (left and top 0).
PixelRect ClientPixels(double dots_per_inch);

// A control's place relative to its parent control, in pixels. Each of the
// four values is converted on its own, so controls that meet in twips meet
// in pixels.
PixelRect ControlPixels(ControlId id, double dots_per_inch);
// The same place relative to the dialog's client area (a child of the frame
// moved by the frame's own place).
PixelRect ControlPixelsInDialog(ControlId id, double dots_per_inch);

// Labels and check boxes whose caption is wider than their box grow to the
// right to show it whole; nothing else moves or grows.
bool GrowsWithCaption(ControlKind kind);
// The width of a control, in pixels, given the width its caption needs in
// the toolkit's font (check mark included).
int FittedWidth(const ControlSpec& control, int width, int caption_width);

// Every control, in the order of its tab index (the order in which Tab
// moves among those that take the focus).
std::vector<ControlId> TabOrder();

// A caption as shown: each ampersand removed, "&&" shown as one.
WString CaptionText(std::u16string_view caption);
// The letter an ampersand marks, or 0 when there is none.
char16_t AccessKey(std::u16string_view caption);

}  // namespace rxTheme
