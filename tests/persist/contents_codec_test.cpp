// The flat form of a bag, unit for unit, and what malformed contents do.
#include "persist/contents_codec.h"

#include <gtest/gtest.h>

#include <vector>

#include "persist/property_bag.h"
#include "runtime/automation_error.h"

namespace rxTheme {
namespace {

// Fields written out by hand: tag, length low and high, text; or tag 4 and
// the eight units of a variant image (low byte first).
const WString kIndex = {1, 5, 0, u'I', u'n', u'd', u'e', u'x'};
const WString kB = {1, 1, 0, u'B'};
const WString kNoType = {2, 0, 0};
const WString kI2One = {4, 2, 0, 0, 0, 1, 0, 0, 0};
const WString kGood = kIndex + kNoType + kI2One;
const WString kTrue = {4, 11, 0, 0, 0, 0xFFFF, 0, 0, 0};

WString ImageOfType(char16_t code) { return WString{4, code, 0, 0, 0, 0, 0, 0, 0}; }

// Canonical contents encode back unit for unit; the others read the same.
TEST(ContentsCodecTest, DecodesAndReEncodes) {
  struct Case {
    const char* what;
    WString contents;
    std::vector<PropertyEntry> entries;
    bool canonical;
  } cases[] = {
      {"no units", u"", {}, false},
      {"empty bag", WString(1, u'\0'), {}, true},
      {"I2", kGood, {{u"Index", u"", Variant::I2(1)}}, true},
      {"true", kB + kNoType + kTrue, {{u"B", u"", Variant::Bool(true)}}, true},
      {"two records",
       kGood + kB + WString{2, 1, 0, u'T', 3, 0, 0},
       {{u"Index", u"", Variant::I2(1)}, {u"B", u"T", Variant(u"")}},
       true},
      {"extra unit ignored", kGood + WString{0x7F7F}, {{u"Index", u"", Variant::I2(1)}}, false},
      {"value tag 1 is text", kB + kNoType + WString{1, 1, 0, u'x'}, {{u"B", u"", u"x"}}, false},
      {"value tag 2 is text", kB + kNoType + WString{2, 1, 0, u'y'}, {{u"B", u"", u"y"}}, false},
      {"cut at the end",
       kB + kNoType + WString{3, 100, 0, u'a', u'b'},
       {{u"B", u"", u"ab"}},
       false},
      {"no wrap", kB + kNoType + WString{3, 0xFFFF, 0x7FFF, u'z'}, {{u"B", u"", u"z"}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(3));
    bag.Contents(c.contents);
    ASSERT_EQ(bag.Entries().size(), c.entries.size());
    for (size_t i = 0; i < c.entries.size(); ++i) {
      const PropertyEntry got = bag.Entries()[i];
      EXPECT_EQ(got.Name, c.entries[i].Name);
      EXPECT_EQ(got.ObjectType, c.entries[i].ObjectType);
      EXPECT_EQ(got.Value.Type(), c.entries[i].Value.Type());
      EXPECT_TRUE(VariantEquals(got.Value, c.entries[i].Value));
    }
    if (c.canonical) {
      EXPECT_EQ(bag.Contents(), c.contents);
    }
  }
  // Texts longer than 65535 units need the high length unit.
  EXPECT_EQ(EncodeLength(0x12345), (WString{0x2345, 0x0001}));
}

TEST(ContentsCodecTest, MalformedContentsRaise999AndKeepWhatWasDecoded) {
  struct Case {
    const char* what;
    WString contents;
    size_t entries;        // after the fault
    const char16_t* name;  // of the last, partial entry
    const char16_t* type;
  } cases[] = {
      {"two zero units", WString(2, u'\0'), 1, u"", u""},
      {"tag 5 as name", kGood + WString{5, 0}, 2, u"", u""},
      {"tag 5 as value", kB + kNoType + WString{5, 0}, 1, u"B", u""},
      {"name with tag 2", kGood + kNoType, 2, u"", u""},
      {"type with tag 1", kB + kB + kI2One, 1, u"B", u""},
      {"type with tag 3", kB + WString{3, 0, 0} + kI2One, 1, u"B", u""},
      {"negative length", kGood + WString{1, 0xFFFF, 0xFFFF}, 2, u"", u""},
      {"length cut short", kGood + WString{1, 5}, 2, u"", u""},
      {"name cut short", kGood + WString{1, 50, 0, u'q'}, 2, u"q", u""},
      {"type cut short", kB + WString{2, 9, 0, u'T'}, 1, u"B", u"T"},
      {"value tag missing", kB + kNoType, 1, u"B", u""},
      {"image cut short", kB + kNoType + kI2One.substr(0, 8), 1, u"B", u""},
      // One refused type code; the variant's tests pin which codes are refused.
      {"string image", kB + kNoType + ImageOfType(8), 1, u"B", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(1));
    try {
      bag.Contents(c.contents);
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 999);
      EXPECT_EQ(e.Description(), u"Invalid Contents Value");
      EXPECT_EQ(e.Source(), u"PropertyBagX");
    }
    ASSERT_EQ(bag.Entries().size(), c.entries);
    if (c.entries == 2) {
      EXPECT_EQ(bag.Entries()[0].Name, u"Index");
    }
    const PropertyEntry last = bag.Entries().back();
    EXPECT_EQ(last.Name, c.name);
    EXPECT_EQ(last.ObjectType, c.type);
    EXPECT_TRUE(last.Value.IsEmpty());
  }
}

}  // namespace
}  // namespace rxTheme
