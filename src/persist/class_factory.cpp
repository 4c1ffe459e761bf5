#include "persist/class_factory.h"

#include <functional>
#include <map>
#include <string_view>
#include <utility>

namespace rxTheme {

namespace {

std::map<WString, PersistableFactory, std::less<>>& Table() {
  static std::map<WString, PersistableFactory, std::less<>> table;
  return table;
}

}  // namespace

void RegisterClassInstance(const WString& short_name, PersistableFactory factory) {
  Table()[short_name] = std::move(factory);
}

std::shared_ptr<IPropertyBagX> CreateClassInstance(WString& class_name) {
  std::u16string_view name(class_name);
  auto object = CreateClassInstance(name);
  class_name.erase(0, class_name.size() - name.size());
  return object;
}

std::shared_ptr<IPropertyBagX> CreateClassInstance(std::u16string_view& class_name) {
  const size_t dot = class_name.find(u'.');
  if (dot != std::u16string_view::npos) class_name.remove_prefix(dot + 1);
  auto it = Table().find(class_name);
  if (it == Table().end() || !it->second) return nullptr;
  return it->second();
}

}  // namespace rxTheme
