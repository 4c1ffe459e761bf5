// The theme commands of the command line:
//   rxtheme load PACKAGE --working-folder DIR [--color-index N] [--graph-index N]
//                [--include-path] [--json]
//   rxtheme save [PACKAGE] --working-folder DIR -o STATE [options]
//   rxtheme restore STATE [--json]
//   rxtheme pack SOURCE_DIR -o PACKAGE [--version TEXT] [--keep-line-ends]
#pragma once

#include <CLI/CLI.hpp>

namespace rxTheme::cli {

void AddThemeCommands(CLI::App& app);

}  // namespace rxTheme::cli
