// The command's failures. A failure that concerns a file, a folder or an
// option says which: the component's automation errors get their subject
// after the description ("File not found: /srv/x.elm"), and everything ends
// as one line on standard error (see command_line.h).
#pragma once

#include <cstdint>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

// Raises `number` with its standard description and the subject after it.
[[noreturn]] void RaiseAbout(int32_t number, const WString& subject);

// Runs `action`; an automation error it raises is raised again with
// `subject` after its description. Errors that already name their subject
// (raised by a nested About) pass unchanged.
template <class Action>
decltype(auto) About(const WString& subject, Action&& action);

// -- implementation

class NamedError : public AutomationError {
 public:
  using AutomationError::AutomationError;
};

template <class Action>
decltype(auto) About(const WString& subject, Action&& action) {
  try {
    return std::forward<Action>(action)();
  } catch (const NamedError&) {
    throw;
  } catch (const AutomationError& e) {
    const WString& text = e.Description();
    throw NamedError(e.Number(), e.Source(), text.empty() ? subject : text + u": " + subject);
  }
}

}  // namespace rxTheme::cli
