// Arbitrary bytes as the command's state file: the bytes become contents, the
// contents a bag, the bag a theme, which is printed both ways. Only damaged
// contents (999), state without a theme (13), values out of range (6) and a
// variant index other than 0 or 1 (9, when printed) may fail. A theme that
// restores saves again into state that restores to the same theme.
#include <cstdlib>

#include "files/command_files.h"
#include "files/state_file.h"
#include "fuzz_support.h"
#include "print/theme_print.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  fuzz::Site site;
  site.env.AddFile(u"/pkg/state.bin", std::string(fuzz::Bytes(data, size)));
  fuzz::Expecting({999, 13, 6, 9}, [&] {
    const auto theme = cli::ReadState(u"/pkg/state.bin");
    (void)cli::ThemeText(*theme);
    const std::string json = cli::ThemeJson(*theme);
    cli::OutputFile again(u"/pkg/again.bin");
    cli::WriteState(again, theme);
    if (cli::ThemeJson(*cli::ReadState(u"/pkg/again.bin")) != json) std::abort();
  });
  return 0;
}
