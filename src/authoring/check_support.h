// What the checker's modules share: errors that name their subject, paths
// and names in messages, and the nearest name to a slip of the keyboard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// An automation error whose description already names its subject ("File
// not found: /srv/x.elm"): About passes it on unchanged.
class NamedError : public AutomationError {
 public:
  using AutomationError::AutomationError;
};

// Raises `number` with its standard description and the subject after it.
[[noreturn]] void RaiseAbout(int32_t number, const WString& subject);

// Runs `action`; an automation error it raises is raised again with
// `subject` after its description. Errors that already name their subject
// (raised by a nested About) pass unchanged.
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

// A path as people read it in messages: its bytes taken as UTF-8.
WString DisplayPath(const WString& path);

// A name in messages: between double quotes.
WString Quoted(std::u16string_view text);

// The last name of a path: what follows its last separator ("" when the
// path ends with one).
WString LastName(const WString& path);

// The name of `names` nearest to `word` (edit distance), if it is near enough
// to be a slip of the keyboard; otherwise empty.
std::string Nearest(const std::string& word, const std::vector<std::string>& names);

}  // namespace rxTheme
