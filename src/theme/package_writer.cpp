#include <rxtheme/theme/package_writer.h>

#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>
#include "theme/package_format.h"

namespace rxTheme {
namespace {

[[noreturn]] void Refuse(const WString& why) { RaiseError(kInvalidProcedureCall, why); }

std::string HeaderOf(std::string_view version, const std::vector<PackagePiece>& pieces) {
  std::string header = std::string(version) + "\n" + std::to_string(pieces.size()) + "\n";
  for (const PackagePiece& piece : pieces) {
    header += piece.name + "," + std::to_string(piece.size) + "\n";
  }
  return header;
}

}  // namespace

bool IsWritablePieceName(std::string_view name) {
  return name.find_first_of(",\r\n") == std::string_view::npos;
}

std::string FormatPackageHeader(std::string_view version, const std::vector<PackagePiece>& pieces) {
  if (version.find('\n') != std::string_view::npos) {
    Refuse(u"The version text cannot hold a line break");
  }
  for (const PackagePiece& piece : pieces) {
    if (!IsWritablePieceName(piece.name)) {
      Refuse(u"The file name \"" + FromUtf8(piece.name) + u"\" cannot be a piece name");
    }
    if (piece.size < 0) {
      Refuse(u"The piece \"" + FromUtf8(piece.name) + u"\" cannot have a negative size");
    }
  }
  std::string header = HeaderOf(version, pieces);
  if (header.size() > kPackageChunkSize) {
    Refuse(Widen("The package header takes " + std::to_string(header.size()) +
                 " bytes; it must fit in " + std::to_string(kPackageChunkSize)));
  }
  return header;
}

size_t PackageHeaderLength(std::string_view version, const std::vector<PackagePiece>& pieces) {
  return HeaderOf(version, pieces).size();
}

std::string FormatPackage(std::string_view version, const std::vector<PackageContent>& pieces) {
  std::vector<PackagePiece> listed;
  listed.reserve(pieces.size());
  for (const PackageContent& piece : pieces) {
    listed.push_back({piece.name, static_cast<int64_t>(piece.bytes.size())});
  }
  std::string out;
  PackageWriter writer(version, std::move(listed), [&](std::string_view bytes) { out += bytes; });
  out.reserve(static_cast<size_t>(writer.Size()));
  for (const PackageContent& piece : pieces) {
    writer.StartPiece();
    writer.Append(piece.bytes);
  }
  writer.Finish();
  return out;
}

PackageWriter::PackageWriter(std::string_view version, std::vector<PackagePiece> pieces, Sink sink)
    : pieces_(std::move(pieces)), sink_(std::move(sink)) {
  const std::string header = FormatPackageHeader(version, pieces_);
  size_ = static_cast<int64_t>(header.size());
  for (const PackagePiece& piece : pieces_) {
    size_ += static_cast<int64_t>(kPieceMarker.size()) + piece.size;
  }
  Send(header);
}

void PackageWriter::Send(std::string_view bytes) {
  sink_(bytes);
  written_ += static_cast<int64_t>(bytes.size());
}

void PackageWriter::StartPiece() {
  if (left_ != 0) Refuse(u"The piece before is not complete");
  if (started_ == pieces_.size()) Refuse(u"Every piece of the package is written");
  left_ = pieces_[started_].size;
  ++started_;
  Send(kPieceMarker);
}

void PackageWriter::Append(std::string_view bytes) {
  if (bytes.empty()) return;
  if (started_ == 0 || static_cast<int64_t>(bytes.size()) > left_) {
    Refuse(u"More bytes than the piece's listed size");
  }
  left_ -= static_cast<int64_t>(bytes.size());
  Send(bytes);
}

int64_t PackageWriter::Finish() {
  if (left_ != 0 || started_ != pieces_.size()) Refuse(u"The package is not complete");
  return written_;
}

}  // namespace rxTheme
