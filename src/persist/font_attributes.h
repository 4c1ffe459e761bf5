// How a bag stores the platform's standard font object: a nested bag of its
// attributes.
#pragma once

#include <memory>

#include <rxtheme/runtime/std_font.h>

namespace rxTheme {

class PropertyBagX;

// Writes the font's attributes into `bag` in their stored order (Bold,
// Charset, Italic, Name, Size, Strikethrough, Underline, Weight), each left
// out when it equals its default.
void WriteFontAttributes(const StdFont& font, PropertyBagX& bag);

// A new font with the attributes read from `bag` in their reading order
// (Name, Size, Weight, Bold, Charset, Italic, Strikethrough, Underline), so
// that a stored Bold decides the boldness over Weight. A stored value that
// does not convert raises its conversion's error, as setting it would.
std::shared_ptr<StdFont> ReadFontAttributes(PropertyBagX& bag);

}  // namespace rxTheme
