// Writing theme packages: the counterpart of the loader's reading.
//
// A package is 8-bit text: a version line, a count line, one "name,size" line
// per piece, then the pieces, each introduced by the 14-byte marker
// "<==MS-Theme==>" and followed directly by the next marker. The loader reads
// the header from the first 4096 bytes, and takes a piece's name as every
// byte before the first "," of its line, lower-cased.
//
// A package written here loads with the pieces given (their names lower
// case), whatever the bytes of the pieces are. What could not be read back
// as written is refused with error 5 before anything is written: a version
// with a line break, a name with "," or a line break, a negative size, and a
// header beyond the first 4096 bytes.
//
//   std::string bytes = FormatPackage("1.0", {{"color0.css", sheet}, {"a.gif", picture}});
//
// Streaming a large package (the pieces' sizes must be known first):
//
//   PackageWriter writer("1.0", {{"color0.css", sheet.size()}, {"a.gif", 1 << 28}},
//                        [&](std::string_view bytes) { out.write(bytes.data(), bytes.size()); });
//   writer.StartPiece();
//   writer.Append(sheet);
//   writer.StartPiece();
//   while (...) writer.Append(block);   // 1 << 28 bytes in all
//   writer.Finish();
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/export.h>

namespace rxTheme {

// A piece as the header lists it.
struct PackagePiece {
  std::string name;  // the name's bytes, as written into the header
  int64_t size = 0;  // the piece's byte count
};

// A piece with its bytes, for packages made in memory.
struct PackageContent {
  std::string name;
  std::string bytes;
};

// The header that lists `pieces`: "VERSION\nCOUNT\n", then "NAME,SIZE\n" for
// each piece. Raises 5 (with a description that says why) for a version
// holding a line feed, a name holding ",", CR or LF, a negative size, or a
// header longer than 4096 bytes. A CR in the version is kept: the loader
// reads it back as part of the version text.
RXTHEME_API std::string FormatPackageHeader(std::string_view version,
                                            const std::vector<PackagePiece>& pieces);

// Whether a name can be written into a header line: no "," and no line
// break.
RXTHEME_API bool IsWritablePieceName(std::string_view name);

// The bytes FormatPackageHeader would give, without refusing anything: what
// a header for these pieces would take.
RXTHEME_API size_t PackageHeaderLength(std::string_view version,
                                       const std::vector<PackagePiece>& pieces);

// A whole package in memory; raises as FormatPackageHeader.
RXTHEME_API std::string FormatPackage(std::string_view version,
                                      const std::vector<PackageContent>& pieces);

// Writes a package a piece at a time to a sink (a file being written, a
// buffer), so that no more than the caller's blocks are held in memory. The
// pieces' sizes are given first, since the header lists them; the writer
// refuses (error 5) bytes that do not match them, so that a written package
// is never inconsistent with its header.
class RXTHEME_API PackageWriter {
 public:
  using Sink = std::function<void(std::string_view bytes)>;

  // Checks the header (raising as FormatPackageHeader, with nothing sent to
  // the sink) and sends it to the sink.
  PackageWriter(std::string_view version, std::vector<PackagePiece> pieces, Sink sink);

  // Starts the next piece: sends its marker. Raises 5 when the piece before
  // has not had all its bytes, or when every listed piece is started.
  void StartPiece();
  // Sends bytes of the current piece. Raises 5, sending nothing, when they
  // run past its listed size or no piece is started.
  void Append(std::string_view bytes);
  // Raises 5 unless every piece was started and had all its bytes. Returns
  // the package's length.
  int64_t Finish();

  // The package's length in bytes: the header, and each piece's marker and
  // bytes.
  int64_t Size() const { return size_; }
  // The bytes sent to the sink so far.
  int64_t Written() const { return written_; }

 private:
  RXTHEME_LOCAL void Send(std::string_view bytes);

  std::vector<PackagePiece> pieces_;
  Sink sink_;
  int64_t size_ = 0;
  int64_t written_ = 0;
  size_t started_ = 0;  // the pieces started; the current one is started_ - 1
  int64_t left_ = 0;    // bytes the current piece still needs
};

}  // namespace rxTheme
