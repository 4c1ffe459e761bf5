// The profile-file reader behind Env::ReadProfileString: the value of one key
// in one section of an ".inf" style file, read the way the Windows profile
// functions read it, shared by every Env so that all read ".inf" files alike.
//
// Lines end at LF (a CR before it is dropped). A line whose first non-blank
// character is "[" names a section, up to the first "]"; a "[" line without
// "]" is ignored. Inside the wanted section, "key=value" lines are matched by
// name; the first match wins. Names compare without regard to letter case;
// spaces and tabs around names and values are dropped, and then one pair of
// matching quotes (" or ') around the whole value is removed.
//
// The file is read in pieces and only a bounded part of the value is kept, so
// a huge line costs no more memory than a short one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>
#include "platform/env.h"

namespace rxTheme {

// A value as found in the file, before it becomes text.
struct ProfileValue {
  bool found = false;
  // The value's bytes (trimmed, quotes removed), at most the `max_bytes`
  // asked for: a longer value is cut.
  std::string bytes;
  // Whether the whole value (not only the part kept) is well-formed UTF-8.
  bool utf8 = true;
};

// Reads `file` to its end or to the value of `key` in `[section]`.
// Errors of the file pass through.
ProfileValue ScanProfile(ReadableFile& file, std::u16string_view section, std::u16string_view key,
                         size_t max_bytes);

// The most bytes that text of `units` units can take in any supported
// encoding (UTF-8 needs up to three bytes per unit).
inline constexpr size_t ProfileBytesFor(size_t units) { return 3 * units + 3; }

// `text` cut to what a buffer of `buffer_size` units holds (one unit goes to
// the terminator), without splitting a surrogate pair.
WString CutToBuffer(WString text, size_t buffer_size);

// The reader as the POSIX and in-memory Envs use it: a value whose bytes are
// well-formed UTF-8 is decoded as UTF-8, any other one byte per unit. A null
// `file` reads as an empty file: the default value is returned (cut too).
WString ReadProfileText(ReadableFile* file, const WString& section, const WString& key,
                        const WString& default_value, size_t buffer_size);

// ReadProfileText over profile text held in memory.
WString ParseProfileString(std::string_view text, const WString& section, const WString& key,
                           const WString& default_value, size_t buffer_size);

}  // namespace rxTheme
