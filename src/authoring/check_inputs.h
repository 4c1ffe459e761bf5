// What the checker reads besides a source folder (theme_source.h): a
// package, an information file, an installed theme (a folder that holds
// both, named after it), and a single style sheet.
#pragma once

#include <rxtheme/authoring/findings.h>
#include <rxtheme/runtime/wstring.h>
#include <string>
#include <string_view>
#include "authoring/check_support.h"

namespace rxTheme {

// The package's header and pieces as the loader reads them: a file that is
// no package, a header beyond the first 4096 bytes or damaged, a piece
// without its marker or running past the end of the file (it and every
// later piece are unpacked empty and not checked further), then the theme
// in it (theme_check.h). Findings name a piece "PACKAGE(name)", and point
// at the header line of a piece's entry.
void CheckPackage(const WString& path, const WString& shown, Findings& findings);

// The title that the picker shows: present, not empty, and short enough to
// be shown whole.
void CheckInfoFile(const WString& path, const WString& shown, Findings& findings);

// A theme folder F as the picker lists it: F.inf and F.elm, both checked.
void CheckInstalledTheme(const WString& folder, const WString& shown, Findings& findings);

// One style sheet, named `name` (which decides its role), checked with CR LF
// line ends; findings name it `shown`. A name that is no sheet the loader
// reads gives one warning, and `bytes` are not looked at.
void CheckSheetBytes(std::u16string_view name, std::string_view bytes, const WString& shown,
                     Findings& findings);

}  // namespace rxTheme
