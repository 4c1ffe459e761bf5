// Arbitrary bytes as an ".inf" file, read for a section and key taken from
// the input ("chunk, buffer, section LF key LF text"). The reader takes the
// file in pieces; however the file hands its bytes over (here in runs of 1 to
// 64 bytes against all at once) the value found must be the same, no longer
// than asked for, and the text no longer than the buffer holds.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "platform/profile_reader.h"

namespace {

// A file that hands over at most `run` bytes per read.
class RunsFile : public rxTheme::ReadableFile {
 public:
  RunsFile(std::string_view text, size_t run) : text_(text), run_(run) {}
  int64_t Size() const override { return static_cast<int64_t>(text_.size()); }
  size_t Read(char* buf, size_t n) override {
    const size_t count = std::min({n, run_, text_.size()});
    if (count == 0) return 0;
    std::memcpy(buf, text_.data(), count);
    text_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view text_;
  size_t run_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  if (size < 2) return 0;
  const size_t run = 1 + data[0] % 64;
  const size_t buffer = data[1];
  const auto fields = fuzz::Split(fuzz::Bytes(data + 2, size - 2), '\n', 3);
  if (fields.size() < 3) return 0;
  const WString section = Widen(fields[0]), key = Widen(fields[1]);
  const std::string_view text = fields[2];

  const size_t max_bytes = ProfileBytesFor(buffer);
  RunsFile whole(text, text.size() + 1), pieces(text, run);
  const ProfileValue a = ScanProfile(whole, section, key, max_bytes);
  const ProfileValue b = ScanProfile(pieces, section, key, max_bytes);
  if (a.found != b.found || a.bytes != b.bytes || a.utf8 != b.utf8) std::abort();
  if (a.bytes.size() > max_bytes || (!a.found && !a.bytes.empty())) std::abort();

  const WString value = ParseProfileString(text, section, key, u"default", buffer);
  if (buffer > 0 ? value.size() >= buffer : !value.empty()) std::abort();
  if (!a.found && value != CutToBuffer(u"default", buffer)) std::abort();
  return 0;
}
