// The class factory: creates a class of the component from the class name that
// a bag stored beside nested contents. Each persistable class adds itself to
// the table, so this layer depends on none of them.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include <rxtheme/persist/persistable.h>

namespace rxTheme {

using PersistableFactory = std::function<std::shared_ptr<IPropertyBagX>()>;

// Adds a class under its short name ("CColorObject"); names match exactly.
void RegisterClassInstance(const WString& short_name, PersistableFactory factory);

// Shortens `class_name` in place to the text after its first "." (a name
// without "." stays whole), then returns a new instance of the class of that
// exact, case-sensitive name, or a null reference when no class has it.
std::shared_ptr<IPropertyBagX> CreateClassInstance(WString& class_name);
// The same for a name that need not be copied: `class_name` is narrowed.
std::shared_ptr<IPropertyBagX> CreateClassInstance(std::u16string_view& class_name);

// Registers a class at static-initialisation time:
//   static const ClassRegistration kReg(u"CColor", [] { return std::make_shared<CColor>(); });
struct ClassRegistration {
  ClassRegistration(const WString& short_name, PersistableFactory factory) {
    RegisterClassInstance(short_name, std::move(factory));
  }
};

}  // namespace rxTheme
