// The command's failures, shared by every part of the command (commands/,
// files/, print/, web/). A failure that concerns a file, a folder or an
// option says which: the component's automation errors get their subject
// after the description ("File not found: /srv/x.elm"), and everything ends
// as one line on standard error (commands/command_line.h prints it).
#pragma once

#include <cstdint>
#include <string>
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

// Thrown by a command that has printed all it has to say, to end with
// `status` and no error line (`check` ends with 1 when it found mistakes).
struct QuietExit {
  int status;
};

// Thrown by a command that refuses what it was asked for although the
// command line is sound (pack of a theme with errors, a --theme that names
// no theme): one plain line that names what to do, with no error number.
struct Refusal {
  std::string command;  // "pack"
  std::string text;     // UTF-8
};

}  // namespace rxTheme::cli
