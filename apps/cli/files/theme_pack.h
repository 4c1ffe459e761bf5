// A theme package written from a listed source folder, as `rxtheme pack`
// writes it (commands/pack_command.cpp): a piece at a time through a
// whole-file writer, so that memory stays small and an interrupted write
// leaves the old package as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>
#include "authoring/theme_source.h"

namespace rxTheme::cli {

// Writes the package of a listed folder whose sheets are read (ReadSheets)
// with the package writer (package_writer.h): the header with `version`,
// then each piece, the pictures copied a block at a time. The file is
// replaced only once it is whole. Returns the bytes written.
int64_t WritePackage(const ThemeSource& source, const std::string& version,
                     const WString& output_path);

}  // namespace rxTheme::cli
