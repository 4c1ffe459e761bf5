// load_package PACKAGE WORKING_FOLDER: a new theme loads one package and
// nothing else, so that timing it measures Load itself rather than the start-up
// and printing of the full `rxtheme` command (which also links the picker's
// window toolkit). Used by bench/load_vs_tar.sh.
#include <cstdio>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme.h>

int main(int argc, char** argv) {
  using namespace rxTheme;
  if (argc != 3) {
    std::fprintf(stderr, "usage: load_package PACKAGE WORKING_FOLDER\n");
    return 2;
  }
  try {
    CTheme theme;
    theme.WorkingFolder(Widen(argv[2]));
    theme.Load(Widen(argv[1]));
  } catch (const AutomationError& e) {
    std::fprintf(stderr, "load_package: %s\n", e.what());
    return 1;
  }
  return 0;
}
