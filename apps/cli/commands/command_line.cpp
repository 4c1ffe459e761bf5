#include "commands/command_line.h"

#include <algorithm>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "command_error.h"
#include "print/printable.h"

namespace rxTheme::cli {
namespace {

// Edit distance (insertions, deletions, substitutions) between two words.
std::vector<std::string> OptionNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options()) {
    for (const std::string& n : option->get_lnames()) names.push_back("--" + n);
    for (const std::string& n : option->get_snames()) names.push_back("-" + n);
  }
  return names;
}

std::vector<std::string> CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* sub : app.get_subcommands({})) names.push_back(sub->get_name());
  return names;
}

// "unknown option --colour-index; did you mean --color-index?" and the like,
// from what the parser of `app` (the innermost command given) left over.
std::string Leftover(const CLI::App& app, bool is_innermost_root) {
  const std::vector<std::string> left = app.remaining();
  auto suggest = [](const std::string& word, const std::vector<std::string>& names) {
    const std::string near = Nearest(word, names);
    return near.empty() ? std::string() : "; did you mean " + near + "?";
  };
  for (const std::string& arg : left) {
    if (arg.size() > 1 && arg[0] == '-') {
      const std::string option = arg.substr(0, arg.find('='));
      // A one-letter option is one edit from every other: no guess for it.
      return "unknown option " + option +
             (option.size() > 2 ? suggest(option, OptionNames(app)) : "");
    }
  }
  if (left.empty()) return {};
  if (is_innermost_root || !app.get_subcommands({}).empty()) {
    return "unknown command " + left[0] + suggest(left[0], CommandNames(app));
  }
  return "unexpected argument " + left[0];
}

int UsageError(const CLI::App& root, const CLI::ParseError& error) {
  const CLI::App* innermost = &root;
  std::string command = root.get_name();
  while (!innermost->get_subcommands().empty()) {
    innermost = innermost->get_subcommands().front();
    command += " " + innermost->get_name();
  }
  std::string text = Leftover(*innermost, innermost == &root);
  if (text.empty()) text = error.what();
  const std::string where = innermost == &root ? "" : command.substr(root.get_name().size() + 1);
  std::cerr << "rxtheme: error: " << (where.empty() ? "" : where + ": ")
            << Printable(FromUtf8(text)) << " (see " << command << " --help)\n";
  return 2;
}

}  // namespace

int RunCommandLine(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
    return 0;
  } catch (const CLI::Success& done) {  // --help, --version
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    return UsageError(app, error);
  } catch (const QuietExit& done) {
    return done.status;
  } catch (const Refusal& refusal) {
    std::cerr << "rxtheme: " << refusal.command << ": " << Printable(FromUtf8(refusal.text))
              << "\n";
  } catch (const AutomationError& error) {
    std::cerr << "rxtheme: error " << error.Number() << ": " << Printable(error.Description())
              << "\n";
  } catch (const std::bad_alloc&) {
    std::cerr << "rxtheme: error " << kOutOfMemory << ": "
              << ToUtf8(StandardDescription(kOutOfMemory)) << "\n";
  } catch (const std::exception&) {
    // A failure no check foresaw; its text is for developers, not users.
    std::cerr << "rxtheme: error " << kInternalError << ": "
              << ToUtf8(StandardDescription(kInternalError)) << "\n";
  }
  return 1;
}

void AddStandardFlags(CLI::App& app) {
  app.set_help_flag("-h,--help", "print this help and exit");
  app.set_version_flag("--version", "rxtheme " RXTHEME_VERSION, "print the version and exit");
}

CLI::Option* AddIndexOption(CLI::App& cmd, const std::string& name, int16_t& index,
                            const std::string& description) {
  CLI::Validator zero_or_one(
      [](const std::string& value) {
        return value == "0" || value == "1" ? std::string()
                                            : "a variant index is 0 or 1, not " + value;
      },
      "0|1");
  return cmd.add_option(name, index, description)->check(zero_or_one);
}

}  // namespace rxTheme::cli
