#include <rxtheme/runtime/automation_error.h>

#include <utility>

namespace rxTheme {

AutomationError::AutomationError(int32_t number, WString source, WString description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {
  what_ = "error " + std::to_string(number_) + ": " + ToUtf8(description_);
}

WString StandardDescription(int32_t number) {
  switch (number) {
    case kInvalidProcedureCall:
      return u"Invalid procedure call or argument";
    case kOverflow:
      return u"Overflow";
    case kSubscriptOutOfRange:
      return u"Subscript out of range";
    case kTypeMismatch:
      return u"Type mismatch";
    case kFileNotFound:
      return u"File not found";
    case kPathFileAccessError:
      return u"Path/File access error";
    case kPathNotFound:
      return u"Path not found";
    case kObjectNotSet:
      return u"Object variable or With block variable not set";
    case kInvalidPropertyValue:
      return u"Invalid property value";
    case kFormAlreadyShown:
      return u"Form already displayed; can't show modally";
    case kOutOfMemory:
      return u"Out of memory";
    case kInternalError:
      return u"Internal error";
    case kCantCreateObject:
      return u"Can't create object";
    case kInvalidContents:
      return u"Invalid Contents Value";
    default:
      return {};
  }
}

void RaiseError(int32_t number, WString description, WString source) {
  if (description.empty()) description = StandardDescription(number);
  throw AutomationError(number, std::move(source), std::move(description));
}

}  // namespace rxTheme
