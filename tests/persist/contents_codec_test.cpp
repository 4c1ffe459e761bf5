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

WString ImageOfType(char16_t code) { return WString{4, code, 0, 0, 0, 0, 0, 0, 0}; }

TEST(ContentsCodecTest, KnownUnitVectors) {
  PropertyBagX bag;
  EXPECT_EQ(bag.Contents(), WString(1, u'\0'));
  bag.WriteProperty(u"Index", Variant::I2(1));
  EXPECT_EQ(bag.Contents(), kGood);
  bag.WriteProperty(u"Index", Variant::Bool(true));
  EXPECT_EQ(bag.Contents(), kIndex + kNoType + WString({4, 11, 0, 0, 0, 0xFFFF, 0, 0, 0}));

  EXPECT_EQ(EncodeField(Variant(u"")), (WString{3, 0, 0}));
  EXPECT_EQ(EncodeField(Variant(u"ab"), kTagName), (WString{1, 2, 0, u'a', u'b'}));
  EXPECT_EQ(EncodeLength(0x12345), (WString{0x2345, 0x0001}));
  EXPECT_EQ(EncodeLength(-1), (WString{0xFFFF, 0xFFFF}));
}

TEST(ContentsCodecTest, DecodesWellFormedAndCutContents) {
  struct Case {
    const char* what;
    WString contents;
    std::vector<PropertyEntry> entries;
  } cases[] = {
      {"no units", u"", {}},
      {"one zero unit", WString(1, u'\0'), {}},
      {"two records",
       kGood + kB + WString{2, 1, 0, u'T', 3, 2, 0, u'a', u'b'},
       {{u"Index", u"", Variant::I2(1)}, {u"B", u"T", Variant(u"ab")}}},
      {"one extra unit is ignored", kGood + WString{0x7F7F}, {{u"Index", u"", Variant::I2(1)}}},
      {"value tag 1 reads as text", kB + kNoType + WString{1, 1, 0, u'x'}, {{u"B", u"", u"x"}}},
      {"value tag 2 reads as text", kB + kNoType + WString{2, 1, 0, u'y'}, {{u"B", u"", u"y"}}},
      {"a string running past the end is cut there",
       kB + kNoType + WString{3, 100, 0, u'a', u'b'},
       {{u"B", u"", u"ab"}}},
      {"a length near the limit does not wrap the position",
       kB + kNoType + WString{3, 0xFFFF, 0x7FFF, u'z'},
       {{u"B", u"", u"z"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(3));
    bag.Contents(c.contents);
    ASSERT_EQ(bag.Entries().size(), c.entries.size());
    for (size_t i = 0; i < c.entries.size(); ++i) {
      const PropertyEntry& got = bag.Entries()[i];
      EXPECT_EQ(got.Name, c.entries[i].Name);
      EXPECT_EQ(got.ObjectType, c.entries[i].ObjectType);
      EXPECT_EQ(got.Value.Type(), c.entries[i].Value.Type());
      EXPECT_TRUE(VariantEquals(got.Value, c.entries[i].Value));
    }
  }
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
      {"string image", kB + kNoType + ImageOfType(8), 1, u"B", u""},
      {"object image", kB + kNoType + ImageOfType(9), 1, u"B", u""},
      {"array image", kB + kNoType + ImageOfType(0x2002), 1, u"B", u""},
      {"by-reference image", kB + kNoType + ImageOfType(0x4003), 1, u"B", u""},
      {"unknown code", kB + kNoType + ImageOfType(21), 1, u"B", u""},
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
    const PropertyEntry& last = bag.Entries().back();
    EXPECT_EQ(last.Name, c.name);
    EXPECT_EQ(last.ObjectType, c.type);
    EXPECT_TRUE(last.Value.IsEmpty());
  }
}

}  // namespace
}  // namespace rxTheme
