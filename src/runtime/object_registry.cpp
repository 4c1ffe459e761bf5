#include "runtime/object_registry.h"

#include <map>
#include <utility>

#include "runtime/automation_error.h"

namespace rxTheme {

namespace {

// Keyed by the lower-cased identifier. A function-local static, so that
// registrations from other translation units' static initialisers find it ready.
std::map<WString, ObjectFactory>& Registry() {
  static std::map<WString, ObjectFactory> registry;
  return registry;
}

}  // namespace

void RegisterCreatable(const WString& prog_id, ObjectFactory factory) {
  Registry()[LCase(prog_id)] = std::move(factory);
}

ObjectRef TryCreateObject(const WString& prog_id) {
  auto it = Registry().find(LCase(prog_id));
  if (it == Registry().end() || !it->second) return nullptr;
  return it->second();
}

ObjectRef CreateObject(const WString& prog_id) {
  ObjectRef object = TryCreateObject(prog_id);
  if (!object) RaiseError(kCantCreateObject);
  return object;
}

}  // namespace rxTheme
