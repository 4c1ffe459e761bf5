// Running a command line: parsing, the command's callback, and the one line
// that a failure prints on standard error:
//   rxtheme: error <number>: <description>: <subject>   exit status 1
//   rxtheme: error: <what is wrong with the command line>  exit status 2
//   rxtheme: <command>: <why it will not, and what to do>   exit status 1
// Usage errors name the subcommand and the option, and suggest the nearest
// known name for an unknown one. Nothing else (no C++ exception text) reaches
// the user.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/check_support.h"
#include "command_error.h"

namespace rxTheme::cli {

// --help and --version, described in the style of every other option (the
// commands added afterwards inherit --help).
void AddStandardFlags(CLI::App& app);

// Parses and runs `app`; returns the process's exit status. A QuietExit or a
// Refusal (command_error.h) ends the command as it says.
int RunCommandLine(CLI::App& app, int argc, char** argv);

// The name of `names` nearest to `word` (edit distance), if it is near enough
// to be a slip of the keyboard; otherwise empty.
using rxTheme::Nearest;

// The variant-index option of load, save and the like: 0 or 1, else a usage
// error that names the option (before anything is loaded).
CLI::Option* AddIndexOption(CLI::App& cmd, const std::string& name, int16_t& index,
                            const std::string& description);

}  // namespace rxTheme::cli
