#include "command_error.h"

namespace rxTheme::cli {

void RaiseAbout(int32_t number, const WString& subject) {
  throw NamedError(number, kDefaultErrorSource, StandardDescription(number) + u": " + subject);
}

}  // namespace rxTheme::cli
