#include "files/folder_package.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/package_writer.h>
#include "command_error.h"
#include "files/command_files.h"
#include "files/input_file.h"

namespace rxTheme::cli {
namespace {

// The package as the writer makes it, a block at a time: the header, the
// markers and the style sheets from memory, the pictures from their files.
class FolderPackageFile : public ReadableFile {
 public:
  explicit FolderPackageFile(FolderPackage folder)
      : folder_(std::move(folder)),
        writer_(folder_.version, ListedPieces(folder_.source),
                [this](std::string_view bytes) { pending_.append(bytes); }) {}

  int64_t Size() const override { return writer_.Size(); }

  size_t Read(char* buf, size_t n) override {
    size_t done = 0;
    while (done < n) {
      if (taken_ == pending_.size()) {
        pending_.clear();
        taken_ = 0;
        if (!Produce()) break;
        continue;
      }
      const size_t take = std::min(n - done, pending_.size() - taken_);
      std::copy_n(pending_.data() + taken_, take, buf + done);
      taken_ += take;
      done += take;
    }
    return done;
  }

 private:
  // Gives the writer its next bytes: the rest of the current piece, a block
  // at a time, else the next piece's start. False at the end of the package.
  bool Produce() {
    if (started_ > 0) {
      const SourcePiece& piece = folder_.source.pieces[started_ - 1];
      if (offset_ < piece.size) {
        const auto size = static_cast<size_t>(piece.size);
        const size_t block = std::min(kBlock, size - static_cast<size_t>(offset_));
        std::string_view bytes;
        std::string read;
        if (piece.sheet) {
          bytes = std::string_view(piece.text).substr(static_cast<size_t>(offset_), block);
        } else {
          if (!picture_) {
            picture_ = std::make_unique<InputFile>(SourcePath(folder_.source, piece.name), false);
          }
          read = picture_->Read(block);
          if (read.empty()) Changed(piece);  // shorter than listed
          bytes = read;
        }
        writer_.Append(bytes);
        offset_ += static_cast<int64_t>(bytes.size());
        return true;
      }
      // The whole of the listed size was read: the file must not have grown.
      if (picture_ && picture_->Size() != piece.size) Changed(piece);
      picture_.reset();
    }
    if (started_ == folder_.source.pieces.size()) return false;
    writer_.StartPiece();
    ++started_;
    offset_ = 0;
    return true;
  }

  [[noreturn]] void Changed(const SourcePiece& piece) const {
    RaiseAbout(kPathFileAccessError, u"changed while it was read: " +
                                         DisplayPath(SourcePath(folder_.source, piece.name)));
  }

  static constexpr size_t kBlock = 1 << 16;

  FolderPackage folder_;
  std::string pending_;  // what the writer gave and Read has not yet taken
  size_t taken_ = 0;
  PackageWriter writer_;
  size_t started_ = 0;  // the pieces started; the current one is started_ - 1
  int64_t offset_ = 0;  // bytes of the current piece given to the writer
  std::unique_ptr<InputFile> picture_;
};

}  // namespace

ThemeSource ListSourceFolder(const std::string& dir, const WString& output) {
  const WString folder = ExistingFolder(dir, u"theme folder");
  std::string shown = dir;
  while (shown.size() > 1 && shown.back() == '/') shown.pop_back();
  return ListThemeSource(folder, DisplayPath(Widen(shown)), output);
}

void CheckPackable(const ThemeSource& source, const std::string& version) {
  About(FolderSubject(u"theme folder", source.folder),
        [&] { (void)FormatPackageHeader(version, ListedPieces(source)); });
}

FolderPackage ReadFolderPackage(const std::string& dir) {
  FolderPackage folder;
  folder.source = ListSourceFolder(dir, {});
  folder.version = VersionText(folder.source, std::nullopt);
  CheckPackable(folder.source, folder.version);
  ReadSheets(folder.source, false);
  // The sheets' sizes changed with their line ends.
  CheckPackable(folder.source, folder.version);
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
