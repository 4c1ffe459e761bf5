// The picker commands:
//   rxtheme list THEMES_DIR [--json]
//   rxtheme preview THEME --working-folder DIR [--vivid] [--active] [--variants]
//                   [--background] [--raw] [-o FILE [--watch [--watch-count N]]]
//   rxtheme pick THEMES_DIR --working-folder DIR [--state STATE] [--help-file FILE]
//                [--theme TITLE] [--screenshot FILE]
// pick runs the picker window program (pick_options.h); nothing here uses
// the window toolkit.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include <rxtheme/picker/preview.h>
#include <rxtheme/picker/theme_list.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/theme.h>
#include "authoring/theme_check.h"
#include "command_error.h"
#include "commands/commands.h"
#include "commands/pick_options.h"
#include "files/command_files.h"
#include "files/file_watch.h"
#include "files/package_load.h"
#include "files/theme_folders.h"
#include "platform/env.h"
#include "print/json_text.h"
#include "print/printable.h"
#include "web/variants_page.h"

namespace rxTheme::cli {
namespace {

// Lists the themes as the picker shows them, with a source folder (no
// package, style sheets) named by its path and a trailing "/". A folder the
// picker lists but cannot load (no package and nothing to read instead) is
// listed as the picker lists it, and named on standard error with the
// reason; so is every folder that looks like a theme but is not listed, and
// a listing that comes out empty.
void RunList(const std::string& themes_dir, bool json) {
  const WString folder = ExistingFolder(themes_dir, u"themes folder");
  Env& env = CurrentEnv();
  ThemeList list;
  // The entries shown, by position in the list, with the tag of a source
  // folder where the list's tag names no package.
  std::vector<std::pair<size_t, WString>> shown;
  std::vector<ThemeFolder> skipped;
  std::vector<ThemeFolder> unloadable;  // listed, with nothing to load
  About(FolderSubject(u"themes folder", folder), [&] {
    ListInstalledThemes(folder, list);
    // One look at each listed theme's package; the rest of a folder is
    // looked at only when something is missing.
    const PackageLook packages(folder);
    std::unordered_set<WString> listed;
    for (size_t i = 0; i < list.size(); ++i) {
      const WString& tag = list[i].tag;
      const size_t end = tag.rfind(kPathSeparator);
      const size_t start = tag.rfind(kPathSeparator, end - 1) + 1;
      const WString name = tag.substr(start, end - start);
      if (packages.HasPackage(name)) {
        shown.emplace_back(i, WString());
      } else if (ThemeFolder f = ClassifyThemeFolder(folder, name); f.role == FolderRole::kSource) {
        shown.emplace_back(i, f.path + u"/");
      } else if (f.role == FolderRole::kInstalled) {
        shown.emplace_back(i, WString());  // made meanwhile
      } else if (f.role == FolderRole::kSkipped) {
        // The picker lists it all the same (and fails when it is clicked).
        shown.emplace_back(i, WString());
        f.why += u"; the picker lists it but cannot load it";
        unloadable.push_back(std::move(f));
      }
      listed.insert(name);
    }
    for (const WString& name : env.ListSubFolders(folder)) {
      if (listed.count(name)) continue;
      ThemeFolder f = ClassifyThemeFolder(folder, name);
      if (f.role == FolderRole::kSkipped) skipped.push_back(std::move(f));
    }
  });
  auto by_name = [](const ThemeFolder& a, const ThemeFolder& b) { return a.name < b.name; };
  std::sort(skipped.begin(), skipped.end(), by_name);
  std::sort(unloadable.begin(), unloadable.end(), by_name);
  for (const ThemeFolder& f : skipped) {
    std::cerr << "rxtheme: list: skipped " << Printable(DisplayPath(f.path)) << ": "
              << Printable(f.why) << "\n";
  }
  for (const ThemeFolder& f : unloadable) {
    std::cerr << "rxtheme: list: " << Printable(DisplayPath(f.path)) << ": " << Printable(f.why)
              << "\n";
  }
  if (shown.empty()) {
    std::cerr << "rxtheme: list: " << Printable(FolderSubject(u"themes folder", folder))
              << " holds no theme the picker would show (a theme is a sub-folder F with F.inf "
                 "and its package F.elm, or its style sheets)\n";
  }
  auto tag = [&](const std::pair<size_t, WString>& e) -> const WString& {
    return e.second.empty() ? list[e.first].tag : e.second;
  };
  if (json) {
    std::cout << "[";
    for (size_t i = 0; i < shown.size(); ++i) {
      std::cout << (i ? ",\n " : "\n ") << "{\"title\": " << JsonString(list[shown[i].first].text)
                << ", \"package\": " << JsonString(tag(shown[i])) << "}";
    }
    std::cout << (shown.size() ? "\n]\n" : "]\n");
    return;
  }
  for (const auto& e : shown) {
    std::cout << Printable(list[e.first].text) << "\t" << Printable(tag(e)) << "\n";
  }
}

struct PreviewOptions {
  std::string package;
  std::string working_folder;
  bool vivid = false;
  bool active = false;
  bool variants = false;  // the four variants side by side, one page each in a frame
  bool background = false;
  bool raw = false;  // values as the theme holds them, not escaped
  std::string output;
  bool watch = false;
  int watch_count = -1;  // with --watch: stop after this many pages rewritten
};

// `value` with the characters that end or change an attribute written as
// character references, as the escaped page writes its values.
WString EscapedValue(const WString& value) {
  WString out;
  for (char16_t c : value) {
    switch (c) {
      case u'&':
        out += u"&amp;";
        break;
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The escaped page with its background picture found from wherever the page
// is written: the body's picture is the one picture value that the theme
// may hold without the working folder in front (and with the quotes of its
// url() kept), so a relative one gets the folder, and loses its quotes.
void BackgroundWithFolder(CTheme& theme, WString& html) {
  const WString value = ReadPreviewValues(theme).background_image;
  if (value.empty() || value.front() == u'/') return;
  const WString attribute = u"<body background=\"";
  const WString old = attribute + EscapedValue(value) + u"\"";
  if (html.compare(0, old.size(), old) != 0) return;
  WString name = value;
  if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') &&
      name.back() == name.front()) {
    name = name.substr(1, name.size() - 2);
  }
  WString folder = theme.WorkingFolder();
  if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;
  html.replace(0, old.size(), attribute + EscapedValue(folder + name) + u"\"");
}

// Loads the theme afresh and builds its page, or with --variants the page
// of its four variants from that one load.
std::string PreviewPage(const PreviewOptions& o, LoadInput& input) {
  CTheme theme;
  theme.WorkingFolder(WorkingFolderForLoad(o.working_folder));
  LoadTheme(theme, input, "preview");
  auto page = [&](bool vivid, bool active) {
    WString html;
    About(ThemeSubject(input), [&] {
      BuildPreview(theme, vivid, active, o.background, html,
                   o.raw ? PreviewEscaping::kNone : PreviewEscaping::kHtml);
      if (o.background && !o.raw) BackgroundWithFolder(theme, html);
    });
    // The page is 8-bit text, like the theme's own files.
    return Narrow(html);
  };
  if (!o.variants) return page(o.vivid, o.active);
  std::array<std::string, 4> pages;
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i] = page(PreviewVariants()[i].vivid, PreviewVariants()[i].active);
  }
  return VariantsPage(u"All variants of " + DisplayPath(input.path), pages);
}

// Writes the page again whenever a file of the theme changes, until Ctrl-C
// (or `watch_count` pages). A theme that fails to load meanwhile (a file
// half saved) is said on standard error, and the watch goes on.
void WatchPreview(const PreviewOptions& o, const LoadInput& first) {
  const WString output = Absolute(o.output);
  WString folder = first.path;
  std::string package_name;  // for a package: the one file watched
  if (!first.is_folder) {
    const size_t slash = folder.rfind(kPathSeparator);
    package_name = Narrow(folder.substr(slash + 1));
    folder = slash == 0 ? folder.substr(0, 1) : folder.substr(0, slash);
  }
  const std::string page_name = Narrow(output.substr(output.rfind(kPathSeparator) + 1));
  const bool page_beside = output.substr(0, output.rfind(kPathSeparator)) == folder;
  FileWatch watch(folder, [&](const std::string& name) {
    if (!package_name.empty()) return name == package_name;
    if (page_beside && name == page_name) return false;
    return StrayKind(name) == nullptr;  // not an editor's backup or swap file
  });
  std::cout << "Watching " << Printable(ThemeSubject(first)) << " (Ctrl-C stops)\n" << std::flush;
  for (int written = 0; o.watch_count < 0 || written < o.watch_count;) {
    if (!watch.Wait()) break;
    try {
      LoadInput input = ExistingTheme(o.package);
      OutputFile page(output);
      page.Write(PreviewPage(o, input));
      ++written;
      std::cout << "Wrote " << Printable(DisplayPath(output)) << "\n" << std::flush;
    } catch (const AutomationError& error) {
      std::cerr << "rxtheme: error " << error.Number() << ": " << Printable(error.Description())
                << "\n";
    }
    // What the load itself wrote (pictures into a working folder inside the
    // theme's folder) is no change of the theme.
    watch.Forget();
  }
}

void RunPreview(const PreviewOptions& o) {
  LoadInput input = ExistingTheme(o.package);
  std::unique_ptr<OutputFile> output;
  if (!o.output.empty()) output = std::make_unique<OutputFile>(Absolute(o.output));
  // Loading enters the working folder: the watch names every path in full.
  PreviewOptions again = o;
  again.package = Narrow(input.path);
  again.working_folder = Narrow(Absolute(o.working_folder));
  again.output = Narrow(Absolute(o.output));
  const std::string page = PreviewPage(o, input);
  if (output) {
    output->Write(page);
  } else {
    std::cout << page;
  }
  if (o.watch) WatchPreview(again, input);
}

// The picker window program: beside this program, as the build and the
// installation both place it.
std::string PickerProgram() {
  std::string self(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", self.data(), self.size());
  if (n <= 0 || static_cast<size_t>(n) >= self.size()) return RXTHEME_PICKER_PROGRAM;
  self.resize(static_cast<size_t>(n));
  return self.substr(0, self.rfind('/') + 1) + RXTHEME_PICKER_PROGRAM;
}

[[noreturn]] void RunPick(const PickOptions& o) {
  const PickPlan plan = CheckPick(o);
  const std::string program = PickerProgram();
  std::vector<std::string> args = PickArguments(o, plan);
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::cout.flush();
  execvp(program.c_str(), argv.data());  // a bare name (no /proc) is looked up on PATH
  RaiseAbout(kCantCreateObject, u"no picker window program " + DisplayPath(Widen(program)) +
                                    u" (this rxtheme was built without Qt 6)");
}

}  // namespace

void AddPickerCommands(CLI::App& app) {
  {
    auto* cmd = app.add_subcommand("list", "List the installed themes as the picker shows them");
    auto dir = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    cmd->add_option("THEMES_DIR", *dir, "folder with one sub-folder per theme")->required();
    cmd->add_flag("--json", *json, "print a JSON list of {title, package}");
    cmd->callback([dir, json] { RunList(*dir, *json); });
  }
  {
    auto* cmd = app.add_subcommand("preview", "Write the picker's preview page of a theme");
    auto o = std::make_shared<PreviewOptions>();
    cmd->add_option("PACKAGE", o->package, "theme package (.elm), or a theme's source folder")
        ->required();
    cmd->add_option("--working-folder", o->working_folder, "folder the pictures are unpacked into")
        ->required();
    auto* vivid = cmd->add_flag("--vivid", o->vivid, "vivid colors (color variant 1)");
    auto* active = cmd->add_flag("--active", o->active, "active graphics (graphics variant 1)");
    cmd->add_flag("--variants", o->variants,
                  "one page with the four variants side by side (normal or vivid colors, normal "
                  "or active graphics)")
        ->excludes(vivid)
        ->excludes(active);
    cmd->add_flag("--background", o->background, "with the background picture");
    cmd->add_flag("--raw", o->raw,
                  "the component's exact page: values not escaped (a theme's values can then "
                  "add markup or script to the page)");
    auto* output =
        cmd->add_option("-o,--output", o->output, "write the page to FILE instead of stdout");
    auto* watch = cmd->add_flag("--watch", o->watch,
                                "write the page again whenever a file of the theme changes, "
                                "until Ctrl-C")
                      ->needs(output);
    cmd->add_option("--watch-count", o->watch_count, "with --watch: stop after N pages rewritten")
        ->needs(watch)
        ->check(CLI::NonNegativeNumber);
    cmd->callback([o] { RunPreview(*o); });
  }
  {
    auto* cmd = app.add_subcommand("pick", "Open the theme picker window on a theme");
    auto o = std::make_shared<PickOptions>();
    AddPickOptions(*cmd, *o);
    cmd->callback([o] { RunPick(*o); });
  }
}

}  // namespace rxTheme::cli
