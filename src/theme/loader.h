// Loading a theme package into a CTheme.
//
// A package is 8-bit text: a version line, a count line, one "name,size" line
// per piece, then the pieces, each introduced by the 14-byte marker
// "<==MS-Theme==>". The loader reads the file in chunks of at most 4096 bytes,
// takes the header from the first chunk, collects each piece's bytes as they
// arrive and stops reading once every piece is complete. It makes the theme's
// working folder the current directory, hands style sheets to the sections
// and writes every other piece as a file there, in table order; each piece is
// unpacked as soon as it is complete, so only one piece is held in memory.
#pragma once

#include <cstdint>

#include "runtime/wstring.h"

namespace rxTheme {

class CTheme;

class ThemeLoader {
 public:
  // The whole of CTheme::Load. Returns 0; every failure raises, and what was
  // done before it stays done (the version text is stored first).
  //
  // Header faults raise 5: a first chunk that runs out of LF or "," before the
  // header is complete, or a negative count or size; a count or size beyond
  // 32 bits raises 6. A piece whose marker is wrong or whose bytes run past
  // the end of the file, and every later piece, is unpacked empty. A piece
  // name that would not name a file directly inside the working folder
  // (empty, ".", "..", or holding "/", "\" or NUL) raises 75 before anything
  // is written for it. An existing file of a piece's name is emptied first.
  // When the working folder can be neither created nor entered, pieces go to
  // the current directory.
  static int32_t Load(CTheme& theme, const WString& file);
};

}  // namespace rxTheme
