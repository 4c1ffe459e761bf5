// Checking a theme for mistakes, for hosts that let people edit themes: the
// checks that `rxtheme check` prints, as data (findings.h) that a host shows
// in its own user interface.
//
//   Findings found = CheckSourceFolder(Widen("/home/ann/themes/dusk"), u"dusk");
//   for (const Finding& f : found.Sorted()) {
//     std::cout << ToUtf8(f.file) << ":" << f.line << ": " << SeverityName(f.severity) << ": "
//               << ToUtf8(f.message) << " [" << f.code << "]\n";
//   }
//   bool refuse = found.Fail(/*strict=*/false);  // any error
//
// A theme is checked as the loader and the picker will take it: every line
// that a parser skips or reads otherwise than it says, every value stored
// otherwise than it is written, the sheets a theme lacks, pictures named but
// missing or never named, and what a package's header and pieces do to the
// load. Errors are what makes a theme fail to load or load without what it
// says; warnings what is taken otherwise than it seems; notes are for
// information.
//
// Paths are the component's paths (as Load takes them: on POSIX, each unit
// one byte of the name, runtime/wstring.h Widen). Files are read through the
// current file layer (SetCurrentEnv), never written. `shown` is how the
// findings name the theme and its files: "shown/color0.css",
// "shown(color0.css)" for a piece of a package; empty names them by path.
// Findings' lines are 1-based, 0 for a finding about a whole file.
//
// The functions are safe to call from several threads at once, each with
// its own theme. Failures raise AutomationError naming the path: 76 for a
// folder that does not exist, 53 for a file that does not exist, 75 for one
// that cannot be read; a theme with mistakes raises nothing and gives its
// findings.
#pragma once

#include <string_view>

#include <rxtheme/authoring/findings.h>
#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// A theme's source folder, as `rxtheme pack` would pack it: every regular
// file but the information file ("*.inf") and version.txt is a piece, style
// sheets with CR LF line ends; hidden files, editor backups, packages, links
// and folders are left out (a note each). Also checks the information file
// and whether the package header would fit.
RXTHEME_API Findings CheckSourceFolder(const WString& folder, const WString& shown = {});

// A theme package (".elm"), read as the loader reads it: the header, each
// piece's marker and size, then the theme in it.
RXTHEME_API Findings CheckPackageFile(const WString& path, const WString& shown = {});

// An installed theme: a folder F that the picker lists, holding F.inf (its
// title) and F.elm.
RXTHEME_API Findings CheckInstalledFolder(const WString& folder, const WString& shown = {});

// One style sheet, given as its file name ("color0.css": the name decides
// which sheet it is, as in a package) and its bytes, checked with CR LF line
// ends as pack packs it. The pictures it names are not looked for. A name
// that names no sheet the loader reads gives one warning.
RXTHEME_API Findings CheckSheetText(std::u16string_view name, std::string_view text,
                                    const WString& shown = {});

}  // namespace rxTheme
