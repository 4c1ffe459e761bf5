// A MemEnv whose profile reader fails for one file, as when a theme folder
// vanishes while the list of themes is being made.
#pragma once

#include <rxtheme/runtime/automation_error.h>
#include "support/mem_env.h"

namespace rxTheme::testing {

class VanishingEnv : public MemEnv {
 public:
  WString vanishing;
  WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                            const WString& default_value, size_t buffer_size) override {
    if (file == vanishing) RaiseError(kPathNotFound);
    return MemEnv::ReadProfileString(file, section, key, default_value, buffer_size);
  }
};

}  // namespace rxTheme::testing
