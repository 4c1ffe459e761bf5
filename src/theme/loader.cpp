#include "theme/loader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/env.h"
#include "runtime/automation_error.h"
#include "runtime/variant.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "sections/theme_support.h"
#include "theme/theme.h"

namespace rxTheme {
namespace {

constexpr size_t kChunkSize = 4096;
constexpr std::string_view kMarker = "<==MS-Theme==>";

// One piece of the package. Data holds the piece's bytes (byte = unit).
struct ThemeFileEntry {
  WString Name;  // lower-cased
  int32_t Size = 0;
  std::string Data;
};

[[noreturn]] void RaiseBadHeader() { RaiseError(kInvalidProcedureCall); }

// The count or a size: the leading number of the text, rounded half to even.
int32_t HeaderNumber(std::string_view text) {
  const double value = RoundHalfEven(LeadingNumber(Widen(text)));
  if (!(value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max())) {
    RaiseError(kOverflow);
  }
  return static_cast<int32_t>(value);
}

// Takes the package's bytes chunk by chunk: the header from the first chunk,
// then each piece as its bytes arrive. Piece bytes are appended to their entry
// directly, so the cost is linear in the package size and nothing is held
// twice.
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
    return !Finished();
  }

  // The entry table; a piece that is not complete keeps no bytes.
  std::vector<ThemeFileEntry> TakeEntries() {
    for (size_t i = next_; i < entries_.size(); ++i) std::string().swap(entries_[i].Data);
    return std::move(entries_);
  }

 private:
  bool Finished() const { return broken_ || next_ == entries_.size(); }

  // Parses the header from the start of the first chunk and returns the bytes
  // after it. Entries are only made for entry lines actually present, so a
  // huge count cannot drive an allocation.
  std::string_view ParseHeader(std::string_view text) {
    size_t lf = text.find('\n');
    if (lf == std::string_view::npos) RaiseBadHeader();
    version_ = Widen(text.substr(0, lf));
    text.remove_prefix(lf + 1);

    lf = text.find('\n');
    if (lf == std::string_view::npos) RaiseBadHeader();
    const int32_t count = HeaderNumber(text.substr(0, lf));
    text.remove_prefix(lf + 1);
    if (count < 0) RaiseBadHeader();

    for (int32_t i = 0; i < count; ++i) {
      const size_t comma = text.find(',');
      if (comma == std::string_view::npos) RaiseBadHeader();
      WString name = LCase(Widen(text.substr(0, comma)));
      text.remove_prefix(comma + 1);
      lf = text.find('\n');
      if (lf == std::string_view::npos) RaiseBadHeader();
      const int32_t size = HeaderNumber(text.substr(0, lf));
      text.remove_prefix(lf + 1);
      if (size < 0) RaiseBadHeader();
      entries_.push_back({std::move(name), size, {}});
    }
    return text;
  }

  void Extract(std::string_view bytes) {
    while (!Finished()) {
      ThemeFileEntry& entry = entries_[next_];
      if (marker_matched_ < kMarker.size()) {
        if (bytes.empty()) return;
        const size_t take = std::min(kMarker.size() - marker_matched_, bytes.size());
        if (bytes.substr(0, take) != kMarker.substr(marker_matched_, take)) {
          broken_ = true;  // this piece and every later one stay empty
          return;
        }
        marker_matched_ += take;
        bytes.remove_prefix(take);
        continue;
      }
      const size_t missing = static_cast<size_t>(entry.Size) - entry.Data.size();
      if (missing > 0) {
        if (bytes.empty()) return;
        const size_t take = std::min(missing, bytes.size());
        entry.Data.append(bytes.data(), take);
        bytes.remove_prefix(take);
        if (take < missing) return;
      }
      ++next_;
      marker_matched_ = 0;
    }
  }

  WString& version_;
  bool header_parsed_ = false;
  std::vector<ThemeFileEntry> entries_;
  size_t next_ = 0;            // the entry being extracted
  size_t marker_matched_ = 0;  // marker bytes of that entry seen so far
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

enum class PieceRole { kColorSheet, kGraphSheet, kBaseSheet, kOtherSheet, kFile };

bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

PieceRole RoleOf(const WString& name) {
  if (!EndsWithNoCase(name, u".css")) return PieceRole::kFile;
  if (ContainsNoCase(name, u"color")) return PieceRole::kColorSheet;
  if (ContainsNoCase(name, u"graph")) return PieceRole::kGraphSheet;
  if (ContainsNoCase(name, u"theme")) return PieceRole::kBaseSheet;
  return PieceRole::kOtherSheet;
}

// The variant of a color or graphics sheet: the leading number of the name's
// last five characters ("color1.css" -> 1, "color.css" -> 0).
int16_t VariantOf(const WString& name) {
  const std::u16string_view tail =
      std::u16string_view(name).substr(name.size() >= 5 ? name.size() - 5 : 0);
  return Variant::R8(LeadingNumber(tail)).ToI2();
}

// A piece is written under its own name in the current directory; a name that
// would resolve anywhere else is refused.
void CheckPieceName(const WString& name) {
  const bool refused = name.empty() || name == u"." || name == u".." ||
                       name.find_first_of(std::u16string_view(u"/\\\0", 3)) != WString::npos;
  if (refused) {
    RaiseError(kPathFileAccessError,
               u"The piece name \"" + name + u"\" does not name a file in the working folder");
  }
}

}  // namespace

int32_t ThemeLoader::Load(CTheme& theme, const WString& file) {
  Env& env = CurrentEnv();

  std::vector<ThemeFileEntry> entries;
  {
    std::unique_ptr<ReadableFile> in = env.OpenForLoad(file);
    int64_t unread = in->Size();
    PackageReader reader(theme.version_);
    std::string chunk(kChunkSize, '\0');
    bool wanted = true;
    while (wanted && unread > 0) {
      const size_t n = static_cast<size_t>(std::min<int64_t>(kChunkSize, unread));
      const size_t got = ReadUpTo(*in, chunk.data(), n);
      if (got == 0) break;
      unread -= static_cast<int64_t>(got);
      wanted = reader.Feed(std::string_view(chunk.data(), got));
    }
    entries = reader.TakeEntries();
  }

  // The working folder becomes the current directory; where it can be
  // neither created nor entered, pieces go to whatever is current.
  const WString folder = theme.working_folder_;
  try {
    env.CreateDirectory(folder);
  } catch (const AutomationError&) {
  }
  try {
    env.SetCurrentDirectory(folder);
  } catch (const AutomationError&) {
  }

  const SectionKey key = CTheme::Key();
  for (ThemeFileEntry& entry : entries) {
    switch (RoleOf(entry.Name)) {
      case PieceRole::kColorSheet: {
        WString text = Widen(entry.Data);
        std::string().swap(entry.Data);
        theme.color_->LoadCss(key, folder, text, VariantOf(entry.Name));
        break;
      }
      case PieceRole::kGraphSheet: {
        WString text = Widen(entry.Data);
        std::string().swap(entry.Data);
        theme.graph_->LoadCss(key, folder, text, VariantOf(entry.Name));
        break;
      }
      case PieceRole::kBaseSheet: {
        WString text = Widen(entry.Data);
        std::string().swap(entry.Data);
        theme.base_->LoadCss(key, folder, text);
        break;
      }
      case PieceRole::kOtherSheet:
        break;
      case PieceRole::kFile:
        CheckPieceName(entry.Name);
        env.WriteFile(entry.Name, entry.Data);
        std::string().swap(entry.Data);
        break;
    }
  }
  return 0;
}

}  // namespace rxTheme
