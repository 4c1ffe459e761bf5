#include "folder_package.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "command_error.h"
#include "command_files.h"
#include "input_file.h"
#include <rxtheme/runtime/automation_error.h>
#include "theme/package_format.h"

namespace rxTheme::cli {
namespace {

// The package as a run of parts: text made in memory (the header, the
// markers, the style sheets) and pictures read from their files.
class FolderPackageFile : public ReadableFile {
 public:
  explicit FolderPackageFile(FolderPackage folder) : folder_(std::move(folder)) {
    size_ = static_cast<int64_t>(folder_.header.size());
    for (const SourcePiece& piece : folder_.source.pieces) {
      size_ += static_cast<int64_t>(kPieceMarker.size()) + piece.size;
    }
  }

  int64_t Size() const override { return size_; }

  size_t Read(char* buf, size_t n) override {
    size_t done = 0;
    while (done < n && part_ < PartCount()) {
      const size_t got = ReadPart(buf + done, n - done);
      if (got == 0) {
        NextPart();
      } else {
        done += got;
      }
    }
    return done;
  }

 private:
  // Part 0 is the header; then each piece is two parts, its marker and its
  // bytes.
  size_t PartCount() const { return 1 + 2 * folder_.source.pieces.size(); }

  void NextPart() {
    if (picture_) {
      // The whole of the listed size was read: the file must not have grown.
      const SourcePiece& piece = folder_.source.pieces[(part_ - 1) / 2];
      if (picture_->Size() != piece.size) Changed(piece);
      picture_.reset();
    }
    ++part_;
    offset_ = 0;
  }

  [[noreturn]] void Changed(const SourcePiece& piece) const {
    RaiseAbout(kPathFileAccessError, u"changed while it was read: " +
                                         DisplayPath(SourcePath(folder_.source, piece.name)));
  }

  size_t FromText(std::string_view text, char* buf, size_t n) {
    const size_t take = std::min(n, text.size() - std::min(text.size(), offset_));
    std::copy_n(text.data() + offset_, take, buf);
    offset_ += take;
    return take;
  }

  size_t ReadPart(char* buf, size_t n) {
    if (part_ == 0) return FromText(folder_.header, buf, n);
    const SourcePiece& piece = folder_.source.pieces[(part_ - 1) / 2];
    if (part_ % 2 == 1) return FromText(kPieceMarker, buf, n);
    if (piece.sheet) return FromText(piece.text, buf, n);
    const auto size = static_cast<size_t>(piece.size);
    if (offset_ >= size) return 0;
    if (!picture_)
      picture_ = std::make_unique<InputFile>(SourcePath(folder_.source, piece.name), false);
    const size_t got = picture_->Read(buf, std::min(n, size - offset_));
    if (got == 0) Changed(piece);  // shorter than listed
    offset_ += got;
    return got;
  }

  FolderPackage folder_;
  int64_t size_ = 0;
  size_t part_ = 0;
  size_t offset_ = 0;  // bytes of the part read so far
  std::unique_ptr<InputFile> picture_;
};

}  // namespace

void CheckHeaderSize(const std::string& header) {
  if (header.size() > kPackageChunkSize) {
    RaiseError(kInvalidProcedureCall,
               Widen("The package header takes " + std::to_string(header.size()) +
                     " bytes; it must fit in " + std::to_string(kPackageChunkSize)));
  }
}

void CheckPackable(const ThemeSource& source, const std::string& version) {
  if (version.find('\n') != std::string::npos) {
    RaiseError(kInvalidProcedureCall, u"The version text cannot hold a line break");
  }
  for (const SourcePiece& piece : source.pieces) {
    if (!PackableName(piece.name)) {
      RaiseError(kInvalidProcedureCall, u"The file name \"" + DisplayPath(Widen(piece.name)) +
                                            u"\" cannot be a piece name");
    }
  }
  // With the sizes listed: a style sheet only grows when its line ends
  // become CR LF, so a header too long now is too long for good.
  CheckHeaderSize(HeaderText(source, version));
}

FolderPackage ReadFolderPackage(const std::string& dir) {
  FolderPackage folder;
  folder.source = ListThemeSource(dir, {});
  const WString subject = FolderSubject(u"theme folder", folder.source.folder);
  const std::string version = VersionText(folder.source, std::nullopt);
  About(subject, [&] { CheckPackable(folder.source, version); });
  ReadSheets(folder.source, false);
  folder.header = HeaderText(folder.source, version);
  About(subject, [&] { CheckHeaderSize(folder.header); });
  return folder;
}

std::unique_ptr<ReadableFile> OpenFolderPackage(FolderPackage folder) {
  return std::make_unique<FolderPackageFile>(std::move(folder));
}

bool HoldsStyleSheet(const WString& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(Narrow(folder)), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() < 4 || name[0] == '.') continue;
    const WString ext = Widen(name.substr(name.size() - 4));
    std::error_code no_status;
    if (EqualsNoCase(ext, u".css") && it->is_regular_file(no_status)) return true;
  }
  return false;
}

void FolderPackageEnv::Serve(const WString& package, const WString& folder) {
  served_[package] = {folder, std::nullopt};
}

void FolderPackageEnv::Serve(const WString& package, FolderPackage ready) {
  const WString folder = ready.source.folder;
  served_[package] = {folder, std::move(ready)};
}

std::unique_ptr<ReadableFile> FolderPackageEnv::OpenForLoad(const WString& path) {
  const auto found = served_.find(path);
  if (found == served_.end()) return base_.OpenForLoad(path);
  Served& served = found->second;
  if (served.ready) {
    FolderPackage ready = std::move(*served.ready);
    served.ready.reset();
    return OpenFolderPackage(std::move(ready));
  }
  return OpenFolderPackage(ReadFolderPackage(Narrow(served.folder)));
}

}  // namespace rxTheme::cli
