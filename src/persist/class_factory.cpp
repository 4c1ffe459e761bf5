#include "persist/class_factory.h"

#include <map>
#include <utility>

namespace rxTheme {

namespace {

std::map<WString, PersistableFactory>& Table() {
  static std::map<WString, PersistableFactory> table;
  return table;
}

}  // namespace

void RegisterClassInstance(const WString& short_name, PersistableFactory factory) {
  Table()[short_name] = std::move(factory);
}

std::shared_ptr<IPropertyBagX> CreateClassInstance(WString& class_name) {
  size_t dot = class_name.find(u'.');
  if (dot != WString::npos) class_name.erase(0, dot + 1);
  auto it = Table().find(class_name);
  if (it == Table().end() || !it->second) return nullptr;
  return it->second();
}

}  // namespace rxTheme
