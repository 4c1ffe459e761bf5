// The platform's standard font object and the core's StdFont: the bag stores
// a font as its attributes, read and set by name.
#pragma once

#include <memory>

#include <rxtheme/runtime/std_font.h>
#include "com_support.h"

namespace rxTheme::com {

// The automation type name of an object (the name of its type information),
// or empty when it has none.
WString TypeNameOf(IDispatch* object);

// Reads Bold, Charset, Italic, Name, Size, Strikethrough, Underline and Weight
// by name from a font object into a core font.
std::shared_ptr<StdFont> FontSnapshot(IDispatch* font);

// A new system standard font with the core font's attributes, set by name in
// the order Name, Size, Weight, Bold, Charset, Italic, Strikethrough,
// Underline. Errors that the font raises reach the caller.
ComRef<IDispatch> NewSystemFont(const StdFont& font);

}  // namespace rxTheme::com
