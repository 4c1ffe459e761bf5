// Saved page state as bytes: a bag's Contents, each 16-bit unit little-endian,
// nothing else (no byte-order mark, no length). This is what `rxtheme save`
// writes and what hosts store.
#pragma once

#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// The byte image of contents units.
std::string ContentsBytes(std::u16string_view contents);

// Contents units from their byte image; an odd trailing byte raises 999.
WString ContentsFromBytes(std::string_view bytes);

// Checks `contents` and every bag nested in it, as deep as a restore reads
// them, more strictly than decoding does: raises 999 for a malformed field,
// a text whose length runs past the end of its contents, or units left over
// after the last record (other than the single unit of an empty bag). State
// that was cut off anywhere fails.
void CheckContents(std::u16string_view contents);

}  // namespace rxTheme
