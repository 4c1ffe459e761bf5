#include "platform/profile_reader.h"

#include <algorithm>
#include <cstring>

namespace rxTheme {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Collects a name or a value without its surrounding blanks, keeping at most
// `cap` bytes of it but knowing its whole trimmed length.
class TrimmedText {
 public:
  explicit TrimmedText(size_t cap) : cap_(cap) {}

  void Add(char c) {
    if (length_ == 0 && IsBlank(c)) return;  // leading blanks
    if (kept_.size() < cap_) kept_.push_back(c);
    ++length_;
    if (!IsBlank(c)) {
      trimmed_ = length_;
      last_ = c;
    }
  }
  void Clear() {
    kept_.clear();
    length_ = trimmed_ = 0;
  }

  // The trimmed length of the whole text.
  size_t Length() const { return trimmed_; }
  // The kept part of the trimmed text.
  std::string_view Kept() const {
    return std::string_view(kept_).substr(0, std::min(kept_.size(), trimmed_));
  }
  char First() const { return kept_.empty() ? '\0' : kept_.front(); }
  char Last() const { return last_; }

 private:
  size_t cap_;
  std::string kept_;
  size_t length_ = 0;   // bytes since the first non-blank one
  size_t trimmed_ = 0;  // up to the last non-blank one
  char last_ = '\0';
};

bool SameName(const TrimmedText& text, std::u16string_view name) {
  return text.Length() == name.size() && EqualsNoCase(Widen(text.Kept()), name);
}

// Checks UTF-8 one byte at a time (well-formed: no overlong forms, no
// surrogates, nothing above U+10FFFF).
class Utf8Check {
 public:
  void Add(unsigned char b) {
    if (!valid_) return;
    if (need_ > 0) {
      if (b < low_ || b > high_) valid_ = false;
      --need_;
      low_ = 0x80;
      high_ = 0xBF;
      return;
    }
    if (b < 0x80) return;
    if (b >= 0xC2 && b <= 0xDF) {
      need_ = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need_ = 2;
      if (b == 0xE0) low_ = 0xA0;
      if (b == 0xED) high_ = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      need_ = 3;
      if (b == 0xF0) low_ = 0x90;
      if (b == 0xF4) high_ = 0x8F;
    } else {
      valid_ = false;
    }
  }
  bool Valid() const { return valid_ && need_ == 0; }

 private:
  bool valid_ = true;
  int need_ = 0;
  unsigned char low_ = 0x80;
  unsigned char high_ = 0xBF;
};

class ProfileScanner {
 public:
  ProfileScanner(std::u16string_view section, std::u16string_view key, size_t max_bytes)
      : section_(section),
        key_(key),
        name_(std::max(section.size(), key.size())),
        value_(max_bytes + 2) {}  // room for the quotes

  // Takes the next piece of the file; false once the value is complete.
  bool Feed(std::string_view bytes) {
    for (char c : bytes) {
      if (pending_cr_) {
        pending_cr_ = false;
        if (c != '\n') Byte('\r');
      }
      if (c == '\r') {
        pending_cr_ = true;
      } else {
        Byte(c);
      }
      if (part_ == Part::kDone) return false;
    }
    return true;
  }

  ProfileValue Finish(size_t max_bytes) {
    if (part_ == Part::kValue) part_ = Part::kDone;  // the last line has no LF
    ProfileValue out;
    if (part_ != Part::kDone) return out;
    out.found = true;
    out.utf8 = utf8_.Valid();
    std::string_view kept = value_.Kept();
    const char first = value_.First();
    if (value_.Length() >= 2 && (first == '"' || first == '\'') && value_.Last() == first) {
      const bool whole = kept.size() == value_.Length();
      kept.remove_prefix(1);
      if (whole) kept.remove_suffix(1);
    }
    out.bytes = kept.substr(0, std::min(kept.size(), max_bytes));
    return out;
  }

 private:
  enum class Part { kLineStart, kSection, kKey, kValue, kSkip, kDone };

  void Byte(char c) {
    if (c == '\n') {
      EndLine();
      return;
    }
    switch (part_) {
      case Part::kLineStart:
        if (IsBlank(c)) return;
        name_.Clear();
        if (c == '[') {
          part_ = Part::kSection;
        } else if (in_section_) {
          part_ = Part::kKey;
          name_.Add(c);
        } else {
          part_ = Part::kSkip;
        }
        return;
      case Part::kSection:
        if (c == ']') {
          in_section_ = SameName(name_, section_);
          part_ = Part::kSkip;
        } else {
          name_.Add(c);
        }
        return;
      case Part::kKey:
        if (c == '=') {
          part_ = SameName(name_, key_) ? Part::kValue : Part::kSkip;
        } else {
          name_.Add(c);
        }
        return;
      case Part::kValue:
        value_.Add(c);
        if (value_.Length() > 0) utf8_.Add(static_cast<unsigned char>(c));
        return;
      case Part::kSkip:
      case Part::kDone:
        return;
    }
  }

  void EndLine() { part_ = part_ == Part::kValue ? Part::kDone : Part::kLineStart; }

  std::u16string_view section_;
  std::u16string_view key_;
  Part part_ = Part::kLineStart;
  bool pending_cr_ = false;
  bool in_section_ = false;
  TrimmedText name_;
  TrimmedText value_;
  Utf8Check utf8_;
};

// The bytes of `text` up to its last complete UTF-8 sequence.
std::string_view WholeSequences(std::string_view text) {
  size_t end = text.size();
  size_t start = end;
  while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return text;
  const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (end - (start - 1) < length) end = start - 1;
  return text.substr(0, end);
}

class TextFile : public ReadableFile {
 public:
  explicit TextFile(std::string_view text) : text_(text) {}
  int64_t Size() const override { return static_cast<int64_t>(text_.size()); }
  size_t Read(char* buf, size_t n) override {
    const size_t count = std::min(n, text_.size());
    if (count == 0) return 0;  // an empty view may have no data pointer at all
    std::memcpy(buf, text_.data(), count);
    text_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view text_;
};

}  // namespace

ProfileValue ScanProfile(ReadableFile& file, std::u16string_view section, std::u16string_view key,
                         size_t max_bytes) {
  ProfileScanner scanner(section, key, max_bytes);
  char buf[4096];
  while (size_t got = file.Read(buf, sizeof buf)) {
    if (!scanner.Feed(std::string_view(buf, got))) break;
  }
  return scanner.Finish(max_bytes);
}

WString CutToBuffer(WString text, size_t buffer_size) {
  const size_t limit = buffer_size == 0 ? 0 : buffer_size - 1;
  if (text.size() <= limit) return text;
  size_t cut = limit;
  if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  text.resize(cut);
  return text;
}

WString ReadProfileText(ReadableFile* file, const WString& section, const WString& key,
                        const WString& default_value, size_t buffer_size) {
  ProfileValue value;
  if (file) value = ScanProfile(*file, section, key, ProfileBytesFor(buffer_size));
  if (!value.found) return CutToBuffer(default_value, buffer_size);
  WString text = value.utf8 ? FromUtf8(WholeSequences(value.bytes)) : Widen(value.bytes);
  return CutToBuffer(std::move(text), buffer_size);
}

WString ParseProfileString(std::string_view text, const WString& section, const WString& key,
                           const WString& default_value, size_t buffer_size) {
  TextFile file(text);
  return ReadProfileText(&file, section, key, default_value, buffer_size);
}

}  // namespace rxTheme
