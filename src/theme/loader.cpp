#include "theme/loader.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/env.h"
#include "runtime/automation_error.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "sections/theme_support.h"
#include "theme/package_format.h"
#include "theme/theme.h"

namespace rxTheme {
namespace {

constexpr size_t kChunkSize = kPackageChunkSize;
constexpr std::string_view kMarker = kPieceMarker;

// One piece of the package. Data holds the piece's bytes (byte = unit).
struct ThemeFileEntry {
  WString Name;  // lower-cased
  int32_t Size = 0;
  std::string Data;  // empty until the piece is complete
};

// Takes the package's bytes chunk by chunk: the header from the first chunk,
// then each piece as its bytes arrive. Pieces complete in table order, so the
// complete ones are always a prefix of the table. A piece's buffer grows only
// as its bytes arrive, and buffers handed back through Recycle are reused, so
// memory is not taken afresh for every piece.
class PackageReader {
 public:
  explicit PackageReader(WString& version) : version_(version) {}

  // Takes the next chunk; returns false once no more bytes are needed (every
  // piece complete, or the next piece can never be complete).
  bool Feed(std::string_view chunk) {
    if (!header_parsed_) {
      header_parsed_ = true;
      chunk = ParseHeader(chunk);
    }
    Extract(chunk);
    return !(broken_ || next_ == entries_.size());
  }

  // No more bytes will come: every piece that is not complete stays empty
  // and counts as complete.
  void Finish() {
    for (size_t i = next_; i < entries_.size(); ++i) entries_[i].Data.clear();
    next_ = entries_.size();
  }

  size_t EntryCount() const { return entries_.size(); }
  // The number of complete entries: entries 0 to Complete() - 1.
  size_t Complete() const { return next_; }
  ThemeFileEntry& Entry(size_t i) { return entries_[i]; }
  // Gives back a buffer whose bytes are no longer needed.
  void Recycle(std::string buffer) {
    if (buffer.capacity() > spare_.capacity()) spare_ = std::move(buffer);
  }

 private:
  // Parses the header from the start of the first chunk and returns the bytes
  // after it. The version text is stored as soon as it is read.
  std::string_view ParseHeader(std::string_view text) {
    PackageHeader header = ParsePackageHeader(text, &version_);
    for (PackageEntry& e : header.entries) entries_.push_back({std::move(e.name), e.size, {}});
    return text.substr(header.length);
  }

  void Extract(std::string_view bytes) {
    while (!broken_ && next_ < entries_.size()) {
      if (marker_matched_ < kMarker.size()) {
        if (bytes.empty()) return;
        const size_t take = std::min(kMarker.size() - marker_matched_, bytes.size());
        if (bytes.substr(0, take) != kMarker.substr(marker_matched_, take)) {
          broken_ = true;  // this piece and every later one stay empty
          return;
        }
        marker_matched_ += take;
        bytes.remove_prefix(take);
        if (marker_matched_ < kMarker.size()) continue;
        current_ = std::move(spare_);
        current_.clear();
      }
      const size_t missing = static_cast<size_t>(entries_[next_].Size) - current_.size();
      if (missing > 0) {
        if (bytes.empty()) return;
        const size_t take = std::min(missing, bytes.size());
        current_.append(bytes.data(), take);
        bytes.remove_prefix(take);
        if (take < missing) return;
      }
      entries_[next_].Data = std::move(current_);
      current_ = std::string();
      ++next_;
      marker_matched_ = 0;
    }
  }

  WString& version_;
  bool header_parsed_ = false;
  std::vector<ThemeFileEntry> entries_;
  size_t next_ = 0;            // the entry being extracted
  size_t marker_matched_ = 0;  // marker bytes of that entry seen so far
  std::string current_;        // the bytes of that entry so far
  std::string spare_;          // a recycled buffer for the next entry
  bool broken_ = false;
};

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

// A piece is written under its own name in the current directory; a name that
// would resolve anywhere else is refused.
void CheckPieceName(const WString& name) {
  if (!IsPlainPieceName(name)) {
    RaiseError(kPathFileAccessError,
               u"The piece name \"" + name + u"\" does not name a file in the working folder");
  }
}

// The last component of a path, lower-cased like piece names.
WString LeafName(const WString& path) {
  const size_t slash = path.find_last_of(u"/\\");
  return LCase(slash == WString::npos ? path : path.substr(slash + 1));
}

}  // namespace

// Pieces are unpacked in table order as soon as they are complete, while the
// rest of the package is still being read, so that only one piece is held in
// memory at a time. The outcome is that of reading the whole package first:
// pieces complete in table order, an incomplete piece and every later one are
// unpacked empty once the file ends, and the working folder is prepared before
// the first piece is unpacked (or at the end when there is none). One case
// would differ, a piece that overwrites the package file itself; a piece that
// bears the package's file name therefore waits until the whole package has
// been read.
int32_t ThemeLoader::Load(CTheme& theme, const WString& file) {
  Env& env = CurrentEnv();
  const WString folder = theme.working_folder_;
  const WString package_name = LeafName(file);
  const SectionKey key = CTheme::Key();

  bool folder_ready = false;
  auto prepare_folder = [&] {
    // The working folder becomes the current directory; where it can be
    // neither created nor entered, pieces go to whatever is current.
    folder_ready = true;
    try {
      env.CreateDirectory(folder);
    } catch (const AutomationError&) {
    }
    try {
      env.SetCurrentDirectory(folder);
    } catch (const AutomationError&) {
    }
  };

  std::unique_ptr<ReadableFile> in = env.OpenForLoad(file);
  PackageReader reader(theme.version_);
  size_t unpacked = 0;
  bool hold = false;      // a piece waits for the whole package
  bool all_read = false;  // the package file is closed
  auto unpack_complete = [&] {
    for (; unpacked < reader.Complete(); ++unpacked) {
      ThemeFileEntry& entry = reader.Entry(unpacked);
      const PieceRole role = RoleOf(entry.Name);
      if (!all_read && role == PieceRole::kFile && entry.Name == package_name) hold = true;
      if (hold) return;
      if (!folder_ready) prepare_folder();
      std::string data = std::move(entry.Data);
      switch (role) {
        case PieceRole::kColorSheet: {
          WString text = Widen(data);
          theme.color_->LoadCss(key, folder, text, VariantOf(entry.Name));
          break;
        }
        case PieceRole::kGraphSheet: {
          WString text = Widen(data);
          theme.graph_->LoadCss(key, folder, text, VariantOf(entry.Name));
          break;
        }
        case PieceRole::kBaseSheet: {
          WString text = Widen(data);
          theme.base_->LoadCss(key, folder, text);
          break;
        }
        case PieceRole::kOtherSheet:
          break;
        case PieceRole::kFile:
          CheckPieceName(entry.Name);
          env.WriteFile(entry.Name, data);
          break;
      }
      reader.Recycle(std::move(data));
    }
  };

  int64_t unread = in->Size();
  std::string chunk(kChunkSize, '\0');
  bool wanted = true;
  while (wanted && unread > 0) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(kChunkSize, unread));
    const size_t got = ReadUpTo(*in, chunk.data(), n);
    if (got == 0) break;
    unread -= static_cast<int64_t>(got);
    wanted = reader.Feed(std::string_view(chunk.data(), got));
    if (!hold) unpack_complete();
  }
  in.reset();
  reader.Finish();
  all_read = true;
  hold = false;
  unpack_complete();
  if (!folder_ready) prepare_folder();
  return 0;
}

}  // namespace rxTheme
