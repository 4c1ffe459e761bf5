#include "picker/dialog_layout.h"

#include <algorithm>
#include <cmath>

namespace rxTheme {

int TwipsToPixels(double twips, double dots_per_inch) {
  return static_cast<int>(std::lround(twips * dots_per_inch / 1440.0));
}

double PixelsToTwips(int pixels, double dots_per_inch) { return pixels * 1440.0 / dots_per_inch; }

PixelRect ClientPixels(double dpi) {
  return {0, 0, TwipsToPixels(kPickerClientWidth, dpi), TwipsToPixels(kPickerClientHeight, dpi)};
}

PixelRect ControlPixels(ControlId id, double dpi) {
  const ControlSpec& c = PickerControl(id);
  return {TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
          TwipsToPixels(c.height, dpi)};
}

PixelRect ControlPixelsInDialog(ControlId id, double dpi) {
  PixelRect rect = ControlPixels(id, dpi);
  for (ControlId parent = PickerControl(id).parent; parent != ControlId::kDialog;
       parent = PickerControl(parent).parent) {
    const PixelRect outer = ControlPixels(parent, dpi);
    rect.left += outer.left;
    rect.top += outer.top;
  }
  return rect;
}

bool GrowsWithCaption(ControlKind kind) {
  return kind == ControlKind::kLabel || kind == ControlKind::kCheckBox;
}

int FittedWidth(const ControlSpec& control, int width, int caption_width) {
  return GrowsWithCaption(control.kind) ? std::max(width, caption_width) : width;
}

std::vector<ControlId> TabOrder() {
  std::vector<ControlId> order;
  for (const ControlSpec& control : PickerControls()) order.push_back(control.id);
  std::stable_sort(order.begin(), order.end(), [](ControlId a, ControlId b) {
    return PickerControl(a).tab_index < PickerControl(b).tab_index;
  });
  return order;
}

WString CaptionText(std::u16string_view caption) {
  WString text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && ++i == caption.size()) break;
    text += caption[i];
  }
  return text;
}

char16_t AccessKey(std::u16string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] != u'&') return caption[i + 1];
    ++i;
  }
  return 0;
}

}  // namespace rxTheme
