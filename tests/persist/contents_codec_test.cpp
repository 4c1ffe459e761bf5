// The flat form of a bag, unit for unit, and what malformed contents do.
#include "persist/contents_codec.h"

#include <gtest/gtest.h>

#include <vector>

#include <rxtheme/persist/property_bag.h>
#include "support/bag_round_trip.h"
#include "support/section_text.h"

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

// One record "B" without an object type: its value field as stored, the value
// it reads as, and the field it is written back as (when not the same units).
TEST(ContentsCodecTest, ValueFieldsDecodeAndReEncode) {
  const struct {
    const char* what;
    WString field;
    Variant value;
    WString encoded;  // empty: the same units
  } cases[] = {
      {"I2", kI2One, Variant::I2(1), u""},
      {"true", kTrue, Variant::Bool(true), u""},
      {"a boolean stored as 1 keeps its bits",
       {4, 11, 0, 0, 0, 1, 0, 0, 0},
       Variant::Bool(true),
       u""},
      {"unused image bytes are cleared", {4, 2, 7, 7, 7, 1, 7, 7, 7}, Variant::I2(1), kI2One},
      {"empty text", {3, 0, 0}, Variant(u""), u""},
      {"tag 1 is text", {1, 1, 0, u'x'}, Variant(u"x"), {3, 1, 0, u'x'}},
      {"tag 2 is text", {2, 1, 0, u'y'}, Variant(u"y"), {3, 1, 0, u'y'}},
      {"cut at the end", {3, 100, 0, u'a', u'b'}, Variant(u"ab"), {3, 2, 0, u'a', u'b'}},
      {"no wrap", {3, 0xFFFF, 0x7FFF, u'z'}, Variant(u"z"), {3, 1, 0, u'z'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyBagX bag;
    bag.Contents(kB + kNoType + c.field);
    const std::vector<PropertyEntry> got = bag.Entries();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].Name + u"|" + got[0].ObjectType, u"B|");
    EXPECT_EQ(got[0].Value.Type(), c.value.Type());
    EXPECT_TRUE(VariantEquals(got[0].Value, c.value));
    EXPECT_EQ(bag.Contents(), kB + kNoType + (c.encoded.empty() ? c.field : c.encoded));
  }
}

TEST(ContentsCodecTest, WholeContents) {
  // No units and the one unit 0 both read as an empty bag, which writes that unit.
  for (const WString& empty : {WString(), WString(1, u'\0')}) {
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(3));
    bag.Contents(empty);
    EXPECT_TRUE(bag.Entries().empty());
    EXPECT_EQ(bag.Contents(), WString(1, u'\0'));
  }
  // Records back to back; a unit left over at the end is ignored.
  const WString two = kGood + kB + WString{2, 1, 0, u'T', 3, 0, 0};
  PropertyBagX bag;
  bag.Contents(two + WString{0x7F7F});
  ASSERT_EQ(bag.Entries().size(), 2u);
  EXPECT_EQ(bag.Entries()[1].ObjectType, u"T");
  EXPECT_EQ(bag.Contents(), two);
}

TEST(ContentsCodecTest, MalformedContentsRaise999AndKeepWhatWasDecoded) {
  const struct {
    const char* what;
    WString contents;
    std::vector<WString> names;  // of the entries kept, the partial one last
    const char16_t* last_type;   // of the partial entry
  } cases[] = {
      {"two zero units", WString(2, u'\0'), {u""}, u""},
      {"tag 5 as name", kGood + WString{5, 0}, {u"Index", u""}, u""},
      {"tag 5 as value", kB + kNoType + WString{5, 0}, {u"B"}, u""},
      {"name with tag 2", kGood + kNoType, {u"Index", u""}, u""},
      {"type with tag 1", kB + kB + kI2One, {u"B"}, u""},
      {"type with tag 3", kB + WString{3, 0, 0} + kI2One, {u"B"}, u""},
      {"negative length", kGood + WString{1, 0xFFFF, 0xFFFF}, {u"Index", u""}, u""},
      {"length cut short", kGood + WString{1, 5}, {u"Index", u""}, u""},
      {"name cut short", kGood + WString{1, 50, 0, u'q'}, {u"Index", u"q"}, u""},
      {"type cut short", kB + WString{2, 9, 0, u'T'}, {u"B"}, u"T"},
      {"value tag missing", kB + kNoType, {u"B"}, u""},
      {"image cut short", kB + kNoType + kI2One.substr(0, 8), {u"B"}, u""},
      // One refused type code; the variant's tests pin which codes are refused.
      {"string image", kB + kNoType + ImageOfType(8), {u"B"}, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(1));
    EXPECT_EQ(testing::ErrorText([&] { bag.Contents(c.contents); }),
              "999 PropertyBagX: Invalid Contents Value");
    const std::vector<PropertyEntry> got = bag.Entries();
    EXPECT_EQ(testing::EntryNames(bag), c.names);
    EXPECT_EQ(got.back().ObjectType, c.last_type);
    EXPECT_TRUE(got.back().Value.IsEmpty());
    PropertyBagX again;  // what is left writes contents that decode
    EXPECT_NO_THROW(again.Contents(bag.Contents()));
  }
}

}  // namespace
}  // namespace rxTheme
