// rxtheme export SOURCE -o DIR
// rxtheme gallery THEMES_DIR -o DIR
//
// export writes a theme for modern pages (theme_export.h): SOURCE is taken
// as check takes it. gallery exports every installed theme of a themes
// folder, in the picker's order, into DIR/themes/N-NAME/ and writes
// DIR/index.html with a card for each (gallery_page.h); given one theme
// instead of a themes folder, it does the same for that theme alone.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include <rxtheme/authoring/findings.h>
#include <rxtheme/picker/theme_list.h>
#include <rxtheme/runtime/automation_error.h>
#include "command_error.h"
#include "commands/commands.h"
#include "files/command_files.h"
#include "files/theme_input.h"
#include "print/printable.h"
#include "web/gallery_page.h"
#include "web/theme_export.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

WString OutputFolder(const std::string& path) {
  const WString folder = Absolute(path);
  std::error_code error;
  fs::create_directories(fs::path(Narrow(folder)), error);
  if (folder.empty() || !fs::is_directory(fs::path(Narrow(folder)))) {
    RaiseAbout(kPathNotFound, FolderSubject(u"output folder", folder));
  }
  return folder;
}

void PrintWarnings(const ExportedTheme& exported) {
  for (const WString& warning : exported.warnings) {
    std::cerr << "rxtheme: warning: " << Printable(exported.title) << ": " << Printable(warning)
              << "\n";
  }
}

// Whether two paths name the same existing folder.
bool SameFolder(const WString& a, const WString& b) {
  std::error_code error;
  return fs::equivalent(fs::path(Narrow(a)), fs::path(Narrow(b)), error) && !error;
}

void RunExport(const std::string& source, const std::string& output) {
  // Exporting into the theme's own folder would replace its theme.css.
  if (SameFolder(Absolute(source), Absolute(output))) {
    RaiseAbout(kInvalidProcedureCall,
               FolderSubject(u"export folder", Absolute(output)) + u" is the theme's own folder");
  }
  const WString folder = OutputFolder(output);
  const ThemeInput input(source);
  const ExportedTheme exported = ExportTheme(input, folder);
  PrintWarnings(exported);
  std::cout << "Exported " << Printable(exported.title) << " (" << exported.files
            << " files and the pictures) into " << Printable(DisplayPath(folder)) << "\n";
}

// "1 error, 2 warnings".
std::string CheckSummary(const Findings& findings) {
  const size_t errors = findings.Count(Severity::kError);
  const size_t warnings = findings.Count(Severity::kWarning);
  return std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
         std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings");
}

// The export folder's name: the position, then the theme's folder name with
// anything but letters, digits, "-", "_" and "." made "_".
std::string ExportName(size_t position, const std::string& name) {
  std::string out = std::to_string(position) + "-";
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.';
    out.push_back(plain ? c : '_');
  }
  return out;
}

// One theme of the gallery: checked, exported, and its card written.
GalleryCard GalleryTheme(const std::string& path, const WString& title, const WString& gallery,
                         const std::string& export_name) {
  GalleryCard card{title, {}, {}, "themes/" + export_name, {}};
  try {
    Findings findings;
    CheckAnyTheme(path, findings);
    card.check = CheckSummary(findings);
  } catch (const AutomationError&) {
    // Reading it below says why.
  }
  try {
    const ThemeInput input(path);
    const ExportedTheme exported = ExportTheme(input, gallery + u"/" + Widen(card.folder));
    PrintWarnings(exported);
    if (card.title.empty()) card.title = exported.title;
    card.version = exported.version;
  } catch (const AutomationError& error) {
    card.error = u"error " + Widen(std::to_string(error.Number())) + u": " + error.Description();
    if (card.title.empty()) card.title = DisplayPath(Widen(path));
  }
  return card;
}

void RunGallery(const std::string& themes, const std::string& output) {
  const WString folder = OutputFolder(output);
  OutputFile page(folder + u"/index.html");
  const WString absolute = Absolute(themes);
  const bool themes_folder = !absolute.empty() && CurrentEnv().FolderExists(absolute) &&
                             !HoldsFileEnding(absolute, u".css") &&
                             !HoldsFileEnding(absolute, u".elm");
  size_t count = 0, unreadable = 0;
  auto add = [&](const GalleryCard& card) {
    page.Append(GalleryCardHtml(card));
    ++count;
    if (!card.error.empty()) {
      ++unreadable;
      std::cerr << "rxtheme: warning: " << Printable(card.title) << ": " << Printable(card.error)
                << "\n";
    }
  };
  if (themes_folder) {
    ThemeList list;
    About(FolderSubject(u"themes folder", absolute), [&] { ListInstalledThemes(absolute, list); });
    page.Append(
        GalleryStart(u"Theme gallery", Widen(std::to_string(list.size())) +
                                           (list.size() == 1 ? u" theme in " : u" themes in ") +
                                           DisplayPath(absolute)));
    for (size_t i = 0; i < list.size(); ++i) {
      const fs::path theme_folder = fs::path(Narrow(list[i].tag)).parent_path();
      add(GalleryTheme(theme_folder.string(), list[i].text, folder,
                       ExportName(i + 1, theme_folder.filename().string())));
    }
  } else {
    // One theme: its title is known once it is read.
    GalleryCard card = GalleryTheme(themes, {}, folder, ExportName(1, "theme"));
    page.Append(GalleryStart(card.title, u"All variants of " + DisplayPath(Widen(themes))));
    add(card);
  }
  page.Append(GalleryEnd());
  page.Commit();
  std::cout << "Wrote a gallery of " << count << (count == 1 ? " theme" : " themes");
  if (unreadable > 0) std::cout << " (" << unreadable << " cannot be read)";
  std::cout << " into " << Printable(DisplayPath(page.Path())) << "\n";
}

}  // namespace

void AddExportCommands(CLI::App& app) {
  struct Options {
    std::string source;
    std::string output;
  };
  auto e = std::make_shared<Options>();
  CLI::App* cmd = app.add_subcommand(
      "export", "Write a theme for modern pages: theme.css, tokens.json, theme.json, sample pages");
  cmd->add_option("SOURCE", e->source, "theme folder, package (.elm) or installed theme folder")
      ->required();
  cmd->add_option("-o,--output", e->output, "folder to write into")->required();
  cmd->callback([e] { RunExport(e->source, e->output); });

  auto g = std::make_shared<Options>();
  cmd = app.add_subcommand("gallery",
                           "Export every installed theme and write one page that shows them all");
  cmd->add_option("THEMES_DIR", g->source, "themes folder, or one theme as export takes it")
      ->required();
  cmd->add_option("-o,--output", g->output, "folder to write into")->required();
  cmd->callback([g] { RunGallery(g->source, g->output); });
}

}  // namespace rxTheme::cli
