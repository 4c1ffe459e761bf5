// The sub-commands of `rxtheme`. Each command file defines one Add...Command
// that attaches its sub-command (options and callback) to the application;
// main.cpp calls them all. A command reports failures by raising
// AutomationError (printed as one line, exit status 1).
#pragma once

#include <CLI/CLI.hpp>

namespace rxTheme::cli {

// `rxtheme bag dump FILE [--json]` (bag_dump.cpp).
void AddBagCommand(CLI::App& app);

}  // namespace rxTheme::cli
