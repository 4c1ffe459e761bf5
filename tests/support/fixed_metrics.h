// Text metrics for layout tests: every character is half the font's size
// wide, four fifths of the size stand above the baseline and one fifth below.
#pragma once

#include <rxtheme/picker/preview_scene.h>

namespace rxTheme::testing {

class FixedMetrics : public TextMetrics {
 public:
  TextExtent Measure(const SceneFont& font, std::u16string_view text) const override {
    return {static_cast<int>(text.size()) * font.pixel_size / 2, font.pixel_size * 4 / 5,
            font.pixel_size / 5};
  }
};

}  // namespace rxTheme::testing
