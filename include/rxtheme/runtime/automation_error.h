// The one failure type of the component: an automation error with a run-time
// error number, a source and a description.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// The run-time error numbers that the component raises.
enum ErrorNumber : int32_t {
  kInvalidProcedureCall = 5,    // "Invalid procedure call or argument"
  kOverflow = 6,                // "Overflow"
  kOutOfMemory = 7,             // "Out of memory"
  kSubscriptOutOfRange = 9,     // "Subscript out of range"
  kTypeMismatch = 13,           // "Type mismatch"
  kInternalError = 51,          // "Internal error"
  kFileNotFound = 53,           // "File not found"
  kPathFileAccessError = 75,    // "Path/File access error"
  kPathNotFound = 76,           // "Path not found"
  kObjectNotSet = 91,           // "Object variable or With block variable not set"
  kInvalidPropertyValue = 380,  // "Invalid property value"
  kFormAlreadyShown = 400,      // "Form already displayed; can't show modally"
  kCantCreateObject = 429,      // "Can't create object"
  kInvalidContents = 999,       // the property bag's "Invalid Contents Value"
};

// The description of error 429 when the theme picker has no dialog toolkit to
// show it with.
inline constexpr char16_t kNoDialogToolkit[] =
    u"No dialog toolkit is available to show the theme picker";

// The default source of errors raised by the component.
inline constexpr char16_t kDefaultErrorSource[] = u"rxTheme";

class RXTHEME_API AutomationError : public std::exception {
 public:
  AutomationError(int32_t number, WString source, WString description);

  int32_t Number() const { return number_; }
  const WString& Source() const { return source_; }
  const WString& Description() const { return description_; }

  // "error <number>: <description>" in UTF-8.
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int32_t number_;
  WString source_;
  WString description_;
  std::string what_;
};

// The standard description of a run-time error number; empty when unknown.
RXTHEME_API WString StandardDescription(int32_t number);

// Throws AutomationError. An empty description is replaced by the standard one.
[[noreturn]] RXTHEME_API void RaiseError(int32_t number, WString description = {},
                                         WString source = kDefaultErrorSource);

}  // namespace rxTheme
