// Loading a theme package into a CTheme.
//
// The loader reads the package (theme/package_format.h) in chunks of at most
// 4096 bytes, takes the header from the first one, and unpacks the pieces in
// table order while it reads: a picture's bytes go, chunk by chunk, to a new
// file beside its target, which replaces the target once the piece is
// complete; a style sheet is collected and handed to its section when it is
// complete. So a picture costs a chunk of memory whatever its size, and a
// style sheet two bytes per byte (plus what its section makes of it). Reading
// stops once every piece is complete.
#pragma once

#include <cstddef>
#include <cstdint>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class CTheme;

// What a load found, for tools that tell their users about damaged packages.
struct LoadReport {
  size_t pieces = 0;  // the entry lines of the header
  // The pieces that the package does not hold whole: the first piece whose
  // marker is wrong or whose bytes run past the end of the file, and every
  // later one. They are unpacked empty (their pictures written with no bytes).
  size_t cut_off = 0;
};

// Where a load puts the pictures.
enum class PiecePlacement {
  // The working folder becomes the process's current directory and pictures
  // are written there by name; where it can be neither created nor entered,
  // they go to whatever directory is current. This is CTheme::Load.
  kEnterWorkingFolder,
  // Pictures are written through their full path in the working folder,
  // which is created when missing (a folder that cannot be made raises 76).
  // The current directory is neither used nor changed, so loads into
  // different folders may run on different threads at once.
  kWorkingFolderPath,
};

class RXTHEME_API ThemeLoader {
 public:
  // The whole of CTheme::Load. Returns 0; every failure raises, and what was
  // done before it stays done (the version text is stored first). `report`,
  // when given, is filled in once the package has been read.
  //
  // Header faults raise 5: a first chunk that runs out of LF or "," before the
  // header is complete, or a negative size; a size beyond 32 bits raises 6. A
  // count of 0 or less lists no pieces. A piece whose marker is wrong or whose
  // bytes run past the end of the file, and every later piece, is unpacked
  // empty. A picture is refused with 75 before anything is written for it
  // when its name would not name a file directly inside the working folder
  // (empty, ".", "..", or holding "/", "\" or NUL) or when its target is not
  // a plain file of one name (a symbolic link, a file with other hard links, a
  // folder). A picture replaces an existing file as a whole. A picture whose
  // target is the package file itself, by whatever name, is written only once
  // the package has been read to its end, and the pieces after it wait with
  // it. The working folder becomes the current directory before the first
  // piece is unpacked (or at the end when there is none); when it can be
  // neither created nor entered, pieces go to the current directory.
  static int32_t Load(CTheme& theme, const WString& file, LoadReport* report = nullptr,
                      PiecePlacement placement = PiecePlacement::kEnterWorkingFolder);
};

}  // namespace rxTheme
