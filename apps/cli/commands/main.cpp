// rxtheme: command-line access to the component. Links no window toolkit:
// `rxtheme pick` runs the picker window program (apps/picker-qt/picker_window_main.cpp).
#include "commands/command_line.h"
#include "commands/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"rxtheme: theme component tools", "rxtheme"};
  app.require_subcommand(1);
  rxTheme::cli::AddStandardFlags(app);
  rxTheme::cli::AddBagCommand(app);
  rxTheme::cli::AddThemeCommands(app);
  rxTheme::cli::AddPickerCommands(app);
  rxTheme::cli::AddCheckCommand(app);
  rxTheme::cli::AddReferenceCommand(app);
  rxTheme::cli::AddExportCommands(app);
  return rxTheme::cli::RunCommandLine(app, argc, argv);
}
