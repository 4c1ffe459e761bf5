// The sub-commands of `rxtheme`. Each command file defines one Add...Command
// that attaches its sub-command (options and callback) to the application;
// main.cpp calls them all. A command reports failures by raising
// AutomationError (printed as one line, exit status 1), and refuses what it
// will not do with a Refusal (command_error.h: one plain line, status 1).
#pragma once

#include <CLI/CLI.hpp>

namespace rxTheme::cli {

// `rxtheme bag dump FILE [--json]` (bag_dump.cpp).
void AddBagCommand(CLI::App& app);

// `rxtheme load|save|restore` (theme_commands.cpp), and pack.
void AddThemeCommands(CLI::App& app);

// `rxtheme pack SOURCE_DIR -o PACKAGE` (pack_command.cpp).
void AddPackCommand(CLI::App& app);

// `rxtheme list|preview|pick` (picker_commands.cpp; preview --watch: file_watch.h).
void AddPickerCommands(CLI::App& app);

// `rxtheme check PATH [--json] [--strict]` (check_command.cpp).
void AddCheckCommand(CLI::App& app);

// `rxtheme reference [--json]` (reference_command.cpp).
void AddReferenceCommand(CLI::App& app);

// `rxtheme export|gallery` (export_commands.cpp).
void AddExportCommands(CLI::App& app);

}  // namespace rxTheme::cli
