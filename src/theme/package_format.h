// The theme package format, as the loader reads it and as tools inspect it.
//
// A package is 8-bit text: a version line, a count line, one "name,size" line
// per piece, then the pieces, each introduced by the 14-byte marker
// "<==MS-Theme==>" and followed directly by the next marker. The whole header
// must lie within the first 4096 bytes. Lines end with LF; a CR before it is
// part of the line's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// The marker in front of every piece.
inline constexpr std::string_view kPieceMarker = "<==MS-Theme==>";
// The loader reads the package in chunks of this size; the header must come
// from the first one.
inline constexpr size_t kPackageChunkSize = 4096;

// One entry line of the header.
struct PackageEntry {
  WString name;       // every byte before the line's first ",", lower-cased
  int32_t size = 0;   // the piece's byte count
  size_t offset = 0;  // byte offset of the entry's first byte in the package
};

struct PackageHeader {
  WString version;  // the first line's bytes, a trailing CR included
  std::vector<PackageEntry> entries;
  size_t length = 0;  // header bytes: the first piece's marker starts here
};

// Parses the header at the start of `text` (the loader passes its first
// chunk). Numbers are the leading number of their line, rounded half to even.
// A count of 0 or less lists no pieces. Raises 5 when the text runs out of LF
// or "," before the header is complete (a count beyond the entry lines
// present, however large) or a size is negative, and 6 for a size beyond 32
// bits. Entries are made only for entry lines actually present, so a huge
// count cannot drive an allocation. `version` receives the version text as soon as it is
// read, also when a later part of the header fails.
PackageHeader ParsePackageHeader(std::string_view text, WString* version = nullptr);

// Whether `start`, the first bytes of a file, looks like a package: a first
// line, then a line that starts (after spaces, a sign and a point) with a
// digit. A file that fails this is not a package at all; one that passes may
// still have a header that ParsePackageHeader refuses.
bool StartsLikePackage(std::string_view start);

// What the loader does with a piece, by its lower-cased name.
enum class PieceRole {
  kColorSheet,  // ".css" naming "color": the color section, variant VariantOf
  kGraphSheet,  // ".css" naming "graph" (not "color"): the graphics section
  kBaseSheet,   // ".css" naming "theme" (neither of the above): the base section
  kOtherSheet,  // any other ".css": neither parsed nor written
  kFile,        // anything else: written into the working folder
};
PieceRole RoleOf(std::u16string_view name);

// The variant of a color or graphics sheet: the leading number of the name's
// last five characters ("color1.css" gives 1, "color.css" 0). Raises 6 for a
// number outside the 16-bit range.
int16_t VariantOf(std::u16string_view name);

// Whether a piece name names a file directly inside the working folder: not
// empty, ".", "..", and holding no "/", "\" or NUL.
bool IsPlainPieceName(std::u16string_view name);

}  // namespace rxTheme
