// Creation by programmatic identifier: the platform's registry of creatable
// classes. A class that clients may create registers itself here under
// "rxTheme.<class>"; creating any other identifier fails with error 429.
#pragma once

#include <functional>
#include <string_view>

#include <rxtheme/export.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

using ObjectFactory = std::function<ObjectRef()>;

// Registers (or replaces) a creatable class. Identifiers match without regard
// to letter case, as the platform's registry does.
RXTHEME_API void RegisterCreatable(const WString& prog_id, ObjectFactory factory);

// Creates a new object of a registered class; raises 429 "Can't create object"
// for an identifier that is not registered.
RXTHEME_API ObjectRef CreateObject(const WString& prog_id);

// CreateObject without the error for a class that is not registered: a null
// reference then, and also when the class's factory makes no object. Errors
// that a registered factory raises (a platform refusing the class with 429,
// for one) still reach the caller.
RXTHEME_API ObjectRef TryCreateObject(std::u16string_view prog_id);

// Registers a class at static-initialisation time:
//   static const CreatableRegistration kReg(u"rxTheme.CTheme", [] { ... });
struct CreatableRegistration {
  CreatableRegistration(const WString& prog_id, ObjectFactory factory) {
    RegisterCreatable(prog_id, std::move(factory));
  }
};

}  // namespace rxTheme
