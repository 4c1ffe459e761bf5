// Small helpers for tests of the settings objects and the sections.
#pragma once

#include <functional>
#include <initializer_list>

#include "runtime/automation_error.h"
#include "runtime/wstring.h"

namespace rxTheme::testing {

// Style-sheet text: the lines, each ended by CR LF.
inline WString Sheet(std::initializer_list<const char16_t*> lines) {
  WString text;
  for (const char16_t* line : lines) text += WString(line) + u"\r\n";
  return text;
}

// The number of the automation error that `action` raises, or 0.
inline int ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AutomationError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace rxTheme::testing
