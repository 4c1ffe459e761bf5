// The base of every automation object, and object references.
#pragma once

#include <memory>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// An automation object. Objects are shared by reference; a null reference is
// an empty pointer. Interfaces beyond this base (persistence, for example) are
// reached with std::dynamic_pointer_cast, the way a client asks an automation
// object for another of its interfaces.
class RXTHEME_API Object {
 public:
  virtual ~Object() = default;

  // The automation type name ("Font" for the standard font object, the class
  // name for the component's classes).
  virtual WString TypeName() const = 0;
};

using ObjectRef = std::shared_ptr<Object>;

}  // namespace rxTheme
