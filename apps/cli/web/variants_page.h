// The page that `rxtheme preview --variants` writes: the theme's preview
// page in its four variants (normal or vivid colors, normal or active
// graphics) side by side, each in a frame of its own, so that an author sees
// at once what each variant sets and what it lacks.
#pragma once

#include <array>
#include <string>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

struct PreviewVariant {
  bool vivid;
  bool active;
  const char* caption;  // "Vivid colors, active graphics"
};

// Normal; vivid colors; active graphics; both: the order of the frames.
const std::array<PreviewVariant, 4>& PreviewVariants();

// The whole page, UTF-8. `pages` are the four preview pages in the order of
// PreviewVariants(), as 8-bit text (a byte is the character of that code);
// each is kept whole in its frame's srcdoc, so that its pictures are found
// as they are from the page written alone.
std::string VariantsPage(const WString& heading, const std::array<std::string, 4>& pages);

}  // namespace rxTheme::cli
