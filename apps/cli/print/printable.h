// Text for a terminal: what the command prints for people (not --json).
#pragma once

#include <string>
#include <string_view>

namespace rxTheme::cli {

// UTF-8 of 16-bit units (runtime/wstring.h ToUtf8), with every control
// character (U+0000-U+001F, U+007F-U+009F) written as \xNN, so that names
// and values from files cannot move the cursor, ring the bell or end a line
// early, and a NUL shows instead of cutting the text short.
std::string Printable(std::u16string_view text);

// `path` as a shell word that can be pasted into a command line: as it is
// when it holds only letters, digits and "_-./+,:=@%", else in single quotes.
std::string ShellWord(const std::string& path);

}  // namespace rxTheme::cli
