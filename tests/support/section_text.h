// Small helpers for tests of the settings objects and the sections.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme::testing {

// Style-sheet text from lines separated by '|': each line ended by CR LF.
inline WString Sheet(std::u16string_view lines) {
  WString text;
  for (char16_t unit : lines) text += unit == u'|' ? WString(u"\r\n") : WString(1, unit);
  return text + u"\r\n";
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

// The automation error that `action` raises as "number source: description",
// or "".
inline std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const AutomationError& e) {
    return std::to_string(e.Number()) + " " + ToUtf8(e.Source()) + ": " + ToUtf8(e.Description());
  }
  return "";
}

}  // namespace rxTheme::testing
