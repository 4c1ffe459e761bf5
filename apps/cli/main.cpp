// rxtheme: command-line access to the component.
#include <exception>
#include <iostream>

#include "commands.h"
#include "runtime/automation_error.h"

int main(int argc, char** argv) {
  CLI::App app{"rxtheme: theme component tools"};
  app.require_subcommand(1);
  rxTheme::cli::AddBagCommand(app);
  rxTheme::cli::AddThemeCommands(app);
  rxTheme::cli::AddPickerCommands(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version exit 0; every usage error exits 2.
    return app.exit(e) == 0 ? 0 : 2;
  } catch (const rxTheme::AutomationError& e) {
    std::cerr << "rxtheme: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "rxtheme: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
