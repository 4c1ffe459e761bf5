// The save/restore interface that every stateful class of the component
// implements, and the library name that qualifies class names.
#pragma once

#include <memory>

#include <rxtheme/export.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class PropertyBagX;

// The library name in front of every class name ("rxTheme.CTheme").
inline constexpr char16_t kLibraryName[] = u"rxTheme";

// Saves and restores an object through a PropertyBagX. The bag is the only
// caller inside the component.
class RXTHEME_API IPropertyBagX : public Object {
 public:
  // Called when a caller reads an absent key with this object as the default.
  // Every class of the component keeps its values: this does nothing.
  virtual void InitProperties() {}
  // Writes the object's keys, in its own fixed order, into `bag`.
  virtual void WriteProperties(PropertyBagX& bag) = 0;
  // Reads the object's keys back from `bag`.
  virtual void ReadProperties(PropertyBagX& bag) = 0;
  // "rxTheme.<class>": recorded beside the nested contents so that the bag can
  // re-create the object.
  virtual WString ClassName() const = 0;
};

// The object's persistence interface, or null when it has none.
RXTHEME_API std::shared_ptr<IPropertyBagX> AsPersistable(const ObjectRef& object);

}  // namespace rxTheme
