// The command's failures. A failure that concerns a file, a folder or an
// option says which: the component's automation errors get their subject
// after the description ("File not found: /srv/x.elm"), and everything ends
// as one line on standard error (see command_line.h).
#pragma once

#include <cstdint>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>
#include "authoring/check_support.h"

namespace rxTheme::cli {

// Errors that name their subject: RaiseAbout and About (shared with the
// checker, authoring/check_support.h).
using rxTheme::About;
using rxTheme::NamedError;
using rxTheme::RaiseAbout;

}  // namespace rxTheme::cli
