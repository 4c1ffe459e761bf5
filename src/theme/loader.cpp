#include <rxtheme/theme/loader.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/theme.h>
#include "platform/env.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "theme/package_format.h"

namespace rxTheme {
namespace {

constexpr std::string_view kMarker = kPieceMarker;
// A picture's bytes are passed on to its file in runs of this size, so that
// a big picture takes few writes and little memory.
constexpr size_t kWriteRun = 64 * 1024;

// What a load changes on the theme.
struct ThemeParts {
  WString& version;
  CColor& color;
  CGraph& graph;
  CThemeBase& base;
  WString folder;  // WorkingFolder, as the sections receive it
  SectionKey key;
};

bool IsSheet(PieceRole role) {
  return role == PieceRole::kColorSheet || role == PieceRole::kGraphSheet ||
         role == PieceRole::kBaseSheet;
}

// Reads until `n` bytes or the end of the file.
size_t ReadUpTo(ReadableFile& file, char* buf, size_t n) {
  size_t done = 0;
  while (done < n) {
    const size_t got = file.Read(buf + done, n - done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

// Starts the new contents of a picture's file, at `path` (the piece's name,
// alone or in the working folder). A piece is written under its own name: a
// name that would resolve anywhere else is refused, and so is a target that
// is a link of any kind, which would carry the write outside the folder or to
// the file's other names. Pictures can be unpacked again, so they are not
// flushed to the disk one by one.
std::unique_ptr<WritableFile> NewPieceFile(Env& env, const WString& name, const WString& path) {
  if (!IsPlainPieceName(name)) {
    RaiseError(kPathFileAccessError,
               u"The piece name \"" + name + u"\" does not name a file in the working folder");
  }
  return env.NewWritableFile(path, LinkPolicy::kRefuseSymlinkOrHardLink, Durability::kUnsynced);
}

// A piece on its way from the package into the theme: a style sheet's units
// or a picture's new file (with the bytes not yet passed on to it). A piece
// that failed while unpacking waited keeps its error until its turn comes.
struct Piece {
  size_t index = 0;
  PieceRole role = PieceRole::kOtherSheet;
  WString text;
  std::unique_ptr<WritableFile> file;
  std::string run;
  std::exception_ptr failure;
};

// One call of Load. Pieces complete in table order and are unpacked as they
// complete, so the outcome is that of reading the whole package first, with
// one exception that unpacking must wait for: a picture that replaces the
// package file itself. From that picture on, complete pieces queue up (their
// pictures in new files not yet put in place) until the package is closed;
// an error of a queued piece is raised in its turn.
class Unpacker {
 public:
  Unpacker(Env& env, ThemeParts parts, PiecePlacement placement)
      : env_(env), theme_(std::move(parts)), placement_(placement) {}

  void Run(const WString& file, LoadReport& report) {
    std::unique_ptr<ReadableFile> in = env_.OpenForLoad(file);
    package_ = in->Identity();
    int64_t unread = in->Size();
    std::string chunk(kPackageChunkSize, '\0');
    bool header_read = false;
    bool wanted = true;
    while (wanted && unread > 0) {
      const size_t n = static_cast<size_t>(std::min<int64_t>(kPackageChunkSize, unread));
      const size_t got = ReadUpTo(*in, chunk.data(), n);
      if (got == 0) break;
      unread -= static_cast<int64_t>(got);
      std::string_view bytes(chunk.data(), got);
      if (!header_read) {
        header_read = true;
        PackageHeader header = ParsePackageHeader(bytes, &theme_.version);
        entries_ = std::move(header.entries);
        bytes.remove_prefix(header.length);
      }
      wanted = Feed(bytes, unread);
    }
    in.reset();
    report.pieces = entries_.size();
    report.cut_off = entries_.size() - next_;

    waiting_ = false;
    for (Piece& piece : queue_) Unpack(piece);
    queue_.clear();
    current_ = Piece();  // a picture cut off on its way: its new file is dropped
    for (size_t i = next_; i < entries_.size(); ++i) UnpackEmpty(i);
    if (!folder_ready_) PrepareFolder();
  }

 private:
  // Takes the bytes after the header; returns false once no more are wanted
  // (every piece complete, a wrong marker, or a queued piece failed).
  bool Feed(std::string_view bytes, int64_t unread) {
    while (!broken_ && !failed_ && next_ < entries_.size()) {
      if (marker_matched_ < kMarker.size()) {
        if (bytes.empty()) return true;
        const size_t take = std::min(kMarker.size() - marker_matched_, bytes.size());
        if (bytes.substr(0, take) != kMarker.substr(marker_matched_, take)) {
          broken_ = true;  // this piece and every later one are unpacked empty
          break;
        }
        marker_matched_ += take;
        bytes.remove_prefix(take);
        if (marker_matched_ < kMarker.size()) continue;
        Start(static_cast<int64_t>(bytes.size()) + unread);
        if (failed_) break;
      }
      const size_t size = static_cast<size_t>(entries_[next_].size);
      const size_t take = std::min(size - taken_, bytes.size());
      Take(bytes.substr(0, take));
      if (failed_) break;
      taken_ += take;
      bytes.remove_prefix(take);
      if (taken_ < size) return true;
      if (waiting_) {
        queue_.push_back(std::move(current_));
      } else {
        Unpack(current_);
      }
      current_ = Piece();
      ++next_;
      marker_matched_ = 0;
      taken_ = 0;
    }
    return false;
  }

  // The marker of the next piece has been read; `available` bytes of the
  // file remain.
  void Start(int64_t available) {
    const PackageEntry& entry = entries_[next_];
    current_.index = next_;
    current_.role = RoleOf(entry.name);
    if (IsSheet(current_.role)) {
      // Room for the whole sheet, but never more than the file still holds.
      current_.text.reserve(static_cast<size_t>(std::min<int64_t>(entry.size, available)));
    } else if (current_.role == PieceRole::kFile) {
      if (!folder_ready_) PrepareFolder();
      Guarded([&] {
        const WString path = PiecePath(entry.name);
        if (package_ && env_.IdentityOf(path) == package_) waiting_ = true;
        current_.file = NewPieceFile(env_, entry.name, path);
      });
    }
  }

  void Take(std::string_view bytes) {
    if (bytes.empty()) return;
    if (IsSheet(current_.role)) {
      for (char c : bytes) current_.text.push_back(static_cast<unsigned char>(c));
    } else if (current_.file) {
      current_.run.append(bytes);
      if (current_.run.size() < kWriteRun) return;
      Guarded([&] { current_.file->Append(current_.run); });
      current_.run.clear();
    }
  }

  // Runs a step of the piece being read. While unpacking waits, its error is
  // queued with the piece instead, and reading stops: nothing after it would
  // be unpacked.
  template <class Step>
  void Guarded(Step step) {
    try {
      step();
    } catch (const AutomationError&) {
      if (!waiting_) throw;
      current_.failure = std::current_exception();
      current_.file.reset();
      queue_.push_back(std::move(current_));
      current_ = Piece();
      failed_ = true;
    }
  }

  void Unpack(Piece& piece) {
    if (piece.failure) std::rethrow_exception(piece.failure);
    if (!folder_ready_) PrepareFolder();
    const WString& name = entries_[piece.index].name;
    switch (piece.role) {
      case PieceRole::kColorSheet:
        theme_.color.LoadCss(theme_.key, theme_.folder, piece.text, VariantOf(name));
        break;
      case PieceRole::kGraphSheet:
        theme_.graph.LoadCss(theme_.key, theme_.folder, piece.text, VariantOf(name));
        break;
      case PieceRole::kBaseSheet:
        theme_.base.LoadCss(theme_.key, theme_.folder, piece.text);
        break;
      case PieceRole::kOtherSheet:
        break;
      case PieceRole::kFile:
        if (!piece.run.empty()) piece.file->Append(piece.run);
        piece.file->Commit();
        piece.file.reset();
        break;
    }
  }

  // A piece that the package does not hold whole: a sheet with no text, a
  // picture with no bytes.
  void UnpackEmpty(size_t index) {
    Piece piece;
    piece.index = index;
    piece.role = RoleOf(entries_[index].name);
    if (piece.role == PieceRole::kFile) {
      if (!folder_ready_) PrepareFolder();
      piece.file = NewPieceFile(env_, entries_[index].name, PiecePath(entries_[index].name));
    }
    Unpack(piece);
  }

  // The working folder becomes the current directory; where it can be
  // neither created nor entered, pieces go to whatever is current.
  void PrepareFolder() {
    folder_ready_ = true;
    if (placement_ == PiecePlacement::kWorkingFolderPath) {
      if (!env_.FolderExists(theme_.folder)) env_.CreateDirectory(theme_.folder);
      return;
    }
    try {
      env_.CreateDirectory(theme_.folder);
    } catch (const AutomationError&) {
    }
    try {
      env_.SetCurrentDirectory(theme_.folder);
    } catch (const AutomationError&) {
    }
  }

  // Where a piece's picture is written.
  WString PiecePath(const WString& name) const {
    return placement_ == PiecePlacement::kWorkingFolderPath ? env_.BuildPath(theme_.folder, name)
                                                            : name;
  }

  Env& env_;
  ThemeParts theme_;
  PiecePlacement placement_;
  std::optional<FileIdentity> package_;
  std::vector<PackageEntry> entries_;
  size_t next_ = 0;            // the entry being read
  size_t marker_matched_ = 0;  // marker bytes of that entry seen so far
  size_t taken_ = 0;           // bytes of that entry taken so far
  Piece current_;              // that entry, once its marker is complete
  std::vector<Piece> queue_;   // complete pieces waiting to be unpacked
  bool broken_ = false;        // a wrong marker: no more pieces
  bool waiting_ = false;       // unpacking waits for the package to be closed
  bool failed_ = false;        // a queued piece failed
  bool folder_ready_ = false;
};

}  // namespace

int32_t ThemeLoader::Load(CTheme& theme, const WString& file, LoadReport* report,
                          PiecePlacement placement) {
  LoadReport unused;
  Unpacker unpacker(CurrentEnv(),
                    {theme.version_, *theme.color_, *theme.graph_, *theme.base_,
                     theme.working_folder_, CTheme::Key()},
                    placement);
  unpacker.Run(file, report ? *report : unused);
  return 0;
}

}  // namespace rxTheme
