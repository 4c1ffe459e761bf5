// Shared by the fuzz targets: splitting an input into fields, an in-memory
// file system with a package folder and a working folder, and the rule that
// only expected automation errors escape.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include "support/mem_env.h"

namespace rxTheme::fuzz {

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// At most `count` fields separated by `separator`; the last takes the rest.
inline std::vector<std::string_view> Split(std::string_view text, char separator, size_t count) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < count) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) break;
    fields.push_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  fields.push_back(text);
  return fields;
}

// Runs `action`; an automation error other than `allowed` is a finding.
template <class Action>
void Expecting(std::initializer_list<int32_t> allowed, Action&& action) {
  try {
    action();
  } catch (const AutomationError& error) {
    for (int32_t number : allowed) {
      if (error.Number() == number) return;
    }
    std::abort();
  }
}

// An in-memory file system, installed for the scope: the package folder /pkg,
// the working folder /w/out (made by the load) and a file beside it.
struct Site {
  static constexpr char16_t kPackage[] = u"/pkg/t.elm";
  static constexpr char16_t kWork[] = u"/w/out";
  Site() {
    env.AddFolder(u"/pkg");
    env.AddFile(u"/w/beside.gif", "beside");
  }
  MemEnv env;
  ScopedEnv scope{env};
};

}  // namespace rxTheme::fuzz
