// The ".inf" reader: sections and keys, the value forms the Windows profile
// functions accept, UTF-8 against one byte per unit, and memory that stays
// bounded however long a line is.
#include "platform/profile_reader.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <string>

#ifdef __SANITIZE_ADDRESS__
// The sanitizer's allocator keeps its own count (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace rxTheme {
namespace {

TEST(ProfileReaderTest, ReadsKeysOfTheirSectionOnly) {
  const std::string text =
      "; comment\r\n"
      "[Other]\r\n"
      "title=wrong\r\n"
      "  [ INFO ]  \r\n"
      "noequals\n"
      "[unclosed\n"
      "Title =  Ocean Breeze  \n"
      "title=second\n"
      "empty=\n"
      "[next]\n"
      "late=x";
  struct Case {
    const char16_t *section, *key, *expected;
    size_t size;
  } cases[] = {
      // clang-format off
      {u"info", u"title", u"Ocean Breeze", 256}, {u"Info", u"TITLE", u"Ocean Breeze", 256},
      {u"info", u"title", u"Ocean", 6}, {u"info", u"title", u"", 1}, {u"info", u"title", u"", 0},
      {u"info", u"empty", u"", 256}, {u"info", u"late", u"dflt", 256},
      {u"next", u"late", u"x", 256}, {u"other", u"title", u"wrong", 256},
      {u"missing", u"title", u"dflt", 256}, {u"info", u"noequals", u"dflt", 256},
      // clang-format on
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseProfileString(text, c.section, c.key, u"dflt", c.size), c.expected)
        << ToUtf8(c.section) << "/" << ToUtf8(c.key) << "/" << c.size;
  }
  EXPECT_EQ(ParseProfileString("", u"info", u"title", u"abcdef", 4), u"abc");
  EXPECT_EQ(ParseProfileString({}, u"info", u"title", u"dflt", 8), u"dflt");  // no data pointer
}

TEST(ProfileReaderTest, ValueForms) {
  const std::string x100(100, 'x');
  const std::u16string x79(79, u'x');
  struct Case {
    std::string value;  // after "title="
    std::u16string expected;
  } cases[] = {
      // clang-format off
      {"\t \"Ocean\" \t", u"Ocean"}, {"'Ocean'", u"Ocean"}, {"\"Ocean'", u"\"Ocean'"},
      {"\"\"Ocean\"\"", u"\"Ocean\""},  // one pair only
      {"\"", u"\""}, {"\"\"", u""},
      {"a\tb \r", u"a\tb \r"},  // a CR before the line's CR LF stays
      {"D\xC3\xA4mmerung", u"D\u00e4mmerung"},
      {"D\xE4mmerung", u"D\u00e4mmerung"},  // not UTF-8: one byte per unit
      {"\xE2\x80\x9C" "Dawn\xE2\x80\x9D", u"\u201cDawn\u201d"},
      {"\xF0\x9F\x8C\x8A", u"\U0001F30A"},
      // clang-format on
      {"\xC3\xA4 \xE2\x82", u"\u00c3\u00a4 \u00e2\u0082"},  // cut sequence
      {"\xED\xA0\x80", u"\u00ed\u00a0\u0080"},              // encoded surrogate
      {"\xC0\xAF", u"\u00c0\u00af"},                        // overlong
      {x100, x79},
      {"\"" + x100 + "\"", x79},
      {std::string(78, 'a') + "\xF0\x9F\x8C\x8A", std::u16string(78, u'a')},  // pair not split
      {std::string(79, 'a') + "\xC3\xA4", std::u16string(79, u'a')},
  };
  for (const Case& c : cases) {
    const std::string text = "[info]\r\n\ttitle\t=" + c.value + "\r\n";
    EXPECT_EQ(ToUtf8(ParseProfileString(text, u"info", u"title", u"", 80)), ToUtf8(c.expected))
        << c.value;
  }
}

size_t HeapInUse() {
#ifdef __SANITIZE_ADDRESS__
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // small blocks and mapped ones
#endif
}

// "[info]\ntitle=\"" followed by `length` bytes of 'x' and a closing quote,
// made as it is read; records the most heap in use while it was read.
class LongLineFile : public ReadableFile {
 public:
  explicit LongLineFile(size_t length) : text_end_(kHead.size() + length) {}
  int64_t Size() const override { return static_cast<int64_t>(text_end_ + 1); }
  size_t Read(char* buf, size_t n) override {
    peak_ = std::max(peak_, HeapInUse());
    size_t count = 0;
    for (; count < n && pos_ <= text_end_; ++count, ++pos_) {
      buf[count] = pos_ < kHead.size() ? kHead[pos_] : pos_ == text_end_ ? '"' : 'x';
    }
    return count;
  }
  size_t peak() const { return peak_; }

 private:
  static constexpr std::string_view kHead = "[info]\ntitle=\"";
  size_t text_end_;
  size_t pos_ = 0;
  size_t peak_ = 0;
};

TEST(ProfileReaderTest, AHugeLineCostsNoMoreMemoryThanAShortOne) {
  LongLineFile file(64u << 20);
  const size_t before = HeapInUse();
  EXPECT_EQ(ReadProfileText(&file, u"info", u"title", u"", 80), std::u16string(79, u'x'));
  EXPECT_LT(file.peak() - std::min(file.peak(), before), 64u << 10);
}

}  // namespace
}  // namespace rxTheme
