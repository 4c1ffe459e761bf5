#include <rxtheme/persist/persistable.h>

namespace rxTheme {

std::shared_ptr<IPropertyBagX> AsPersistable(const ObjectRef& object) {
  return std::dynamic_pointer_cast<IPropertyBagX>(object);
}

}  // namespace rxTheme
