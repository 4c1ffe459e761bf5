// Values crossing the COM boundary: VARIANT to the core's Variant and back.
#pragma once

#include <optional>

#include <rxtheme/runtime/variant.h>
#include "com_support.h"

namespace rxTheme::com {

// A script's value as a core value. A reference is followed to its value;
// objects become core objects (CoreObjectOf); arrays and the integer types
// that the core has no form for raise 13.
Variant FromVariant(const VARIANT& value);

// An optional argument: nothing when the caller left it out.
std::optional<Variant> FromOptional(const VARIANT* value);

// A core value as a new VARIANT (objects through AdapterFor). `out` must be
// empty or cleared; on an exception it stays empty.
void ToVariant(const Variant& value, VARIANT* out);

}  // namespace rxTheme::com
