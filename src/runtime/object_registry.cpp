#include <rxtheme/runtime/object_registry.h>

#include <algorithm>
#include <map>
#include <string_view>
#include <utility>

#include <rxtheme/runtime/automation_error.h>

namespace rxTheme {

namespace {

// Orders identifiers by length, then as their LCase forms order, so that a
// lookup needs no lower-cased copy and most comparisons end at the length.
struct LessNoCase {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    if (a.size() != b.size()) return a.size() < b.size();
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return LCaseUnit(x) < LCaseUnit(y); });
  }
};

// Keyed by the lower-cased identifier. A function-local static, so that
// registrations from other translation units' static initialisers find it ready.
std::map<WString, ObjectFactory, LessNoCase>& Registry() {
  static std::map<WString, ObjectFactory, LessNoCase> registry;
  return registry;
}

}  // namespace

void RegisterCreatable(const WString& prog_id, ObjectFactory factory) {
  Registry()[LCase(prog_id)] = std::move(factory);
}

ObjectRef TryCreateObject(std::u16string_view prog_id) {
  auto it = Registry().find(prog_id);
  if (it == Registry().end() || !it->second) return nullptr;
  return it->second();
}

ObjectRef CreateObject(const WString& prog_id) {
  ObjectRef object = TryCreateObject(prog_id);
  if (!object) RaiseError(kCantCreateObject);
  return object;
}

}  // namespace rxTheme
