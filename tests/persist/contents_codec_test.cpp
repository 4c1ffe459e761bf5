// The flat form of a bag, byte for byte, and what malformed contents do.
#include "persist/contents_codec.h"

#include <gtest/gtest.h>

#include <vector>

#include "persist/property_bag.h"
#include "runtime/automation_error.h"

namespace rxTheme {
namespace {

// Contents from their byte image (pairs of bytes, little-endian).
WString FromBytes(const std::vector<uint8_t>& bytes) {
  WString units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return units;
}

std::vector<uint8_t> ToBytes(const WString& units) {
  std::vector<uint8_t> bytes;
  for (char16_t u : units) {
    bytes.push_back(static_cast<uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const std::vector<uint8_t> kIndexName = {0x01, 0, 0x05, 0, 0,    0, 0x49, 0,
                                         0x6E, 0, 0x64, 0, 0x65, 0, 0x78, 0};
const std::vector<uint8_t> kEmptyType = {0x02, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kI2One = {0x04, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kBoolTrue = {0x04, 0,    0x0B, 0, 0, 0, 0, 0, 0,
                                        0,    0xFF, 0xFF, 0, 0, 0, 0, 0, 0};

TEST(ContentsCodecTest, KnownByteVectors) {
  PropertyBagX bag;
  EXPECT_EQ(ToBytes(bag.Contents()), (std::vector<uint8_t>{0, 0}));

  bag.WriteProperty(u"Index", Variant::I2(1));
  std::vector<uint8_t> expected = Cat({kIndexName, kEmptyType, kI2One});
  ASSERT_EQ(expected.size(), 40u);
  EXPECT_EQ(ToBytes(bag.Contents()), expected);

  bag.WriteProperty(u"Index", Variant::Bool(true));
  EXPECT_EQ(ToBytes(bag.Contents()), Cat({kIndexName, kEmptyType, kBoolTrue}));

  EXPECT_EQ(ToBytes(EncodeField(Variant(u""))), (std::vector<uint8_t>{3, 0, 0, 0, 0, 0}));
  EXPECT_EQ(EncodeLength(0x12345), (WString{0x2345, 0x0001}));
  EXPECT_EQ(EncodeLength(-1), (WString{0xFFFF, 0xFFFF}));
  EXPECT_EQ(EncodeField(Variant(u"ab"), kTagName), (WString{1, 2, 0, u'a', u'b'}));
}

TEST(ContentsCodecTest, EmptyFormsDecodeToNoEntries) {
  for (const WString& value : {WString(), WString(1, u'\0')}) {
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(3));
    bag.Contents(value);
    EXPECT_TRUE(bag.Entries().empty());
  }
}

TEST(ContentsCodecTest, DecodesWhatItEncodes) {
  const std::vector<uint8_t> record = Cat({kIndexName, kEmptyType, kI2One});
  // A value field with tag 1 or 2 reads as a string; one extra unit is ignored.
  const std::vector<uint8_t> tag1_value = Cat({kIndexName, kEmptyType, {1, 0, 1, 0, 0, 0, 'x', 0}});
  const std::vector<uint8_t> tag2_value = Cat({kIndexName, kEmptyType, {2, 0, 1, 0, 0, 0, 'y', 0}});
  struct Case {
    std::vector<uint8_t> bytes;
    Variant value;
  } cases[] = {
      {record, Variant::I2(1)},
      {Cat({record, {0x7F, 0x7F}}), Variant::I2(1)},
      {tag1_value, Variant(u"x")},
      {tag2_value, Variant(u"y")},
  };
  for (const Case& c : cases) {
    PropertyBagX bag;
    bag.Contents(FromBytes(c.bytes));
    ASSERT_EQ(bag.Entries().size(), 1u);
    EXPECT_EQ(bag.Entries()[0].Name, u"Index");
    EXPECT_EQ(bag.Entries()[0].Value.Type(), c.value.Type());
    EXPECT_TRUE(VariantEquals(bag.Entries()[0].Value, c.value));
  }
}

TEST(ContentsCodecTest, ReEncodingZeroesUnusedImageBytes) {
  std::vector<uint8_t> dirty = kI2One;
  for (int i : {4, 5, 6, 7, 12, 13, 14, 15, 16, 17}) dirty[i] = 0xAB;
  PropertyBagX bag;
  bag.Contents(FromBytes(Cat({kIndexName, kEmptyType, dirty})));
  EXPECT_EQ(ToBytes(bag.Contents()), Cat({kIndexName, kEmptyType, kI2One}));
}

TEST(ContentsCodecTest, StringRunningPastTheEndIsCut) {
  // The value claims 100 units and has 2: it ends the contents, no error.
  PropertyBagX bag;
  bag.Contents(FromBytes(Cat({kIndexName, kEmptyType, {3, 0, 100, 0, 0, 0, 'a', 0, 'b', 0}})));
  ASSERT_EQ(bag.Entries().size(), 1u);
  EXPECT_EQ(bag.Entries()[0].Value.StringValue(), u"ab");

  int32_t position = 1;
  WString text = {3, 0xFFFF, 0x7FFF, u'z'};
  EXPECT_EQ(DecodeField(text, position).StringValue(), u"z");
  EXPECT_GT(position, static_cast<int32_t>(text.size()));
}

TEST(ContentsCodecTest, DecodeFieldAdvancesPastEachField) {
  WString contents = EncodeField(Variant(u"abc"), kTagName) + EncodeField(Variant::I4(-7)) +
                     EncodeField(Variant(u""), kTagObjectType);
  int32_t p = 1;
  EXPECT_EQ(DecodeField(contents, p, kTagName).StringValue(), u"abc");
  EXPECT_EQ(p, 7);
  EXPECT_EQ(DecodeField(contents, p).I4Value(), -7);
  EXPECT_EQ(p, 16);
  EXPECT_EQ(DecodeField(contents, p, kTagObjectType).StringValue(), u"");
  EXPECT_EQ(p, 19);
}

TEST(ContentsCodecTest, MalformedContentsRaise999AndKeepWhatWasDecoded) {
  const std::vector<uint8_t> good = Cat({kIndexName, kEmptyType, kI2One});
  const std::vector<uint8_t> b_name = {1, 0, 1, 0, 0, 0, 'B', 0};
  auto image_with_code = [](uint16_t code) {
    return std::vector<uint8_t>{4,
                                0,
                                static_cast<uint8_t>(code),
                                static_cast<uint8_t>(code >> 8),
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0};
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t entries;        // after the fault
    const char16_t* name;  // of the last, partial entry
    const char16_t* type;
  } cases[] = {
      {"two zero units", {0, 0, 0, 0}, 1, u"", u""},
      {"tag 5 as name", Cat({good, {5, 0, 0, 0}}), 2, u"", u""},
      {"tag 5 as value", Cat({b_name, kEmptyType, {5, 0, 0, 0}}), 1, u"B", u""},
      {"name with tag 2", Cat({good, kEmptyType}), 2, u"", u""},
      {"type with tag 1", Cat({b_name, b_name, kI2One}), 1, u"B", u""},
      {"type with tag 3", Cat({b_name, {3, 0, 0, 0, 0, 0}, kI2One}), 1, u"B", u""},
      {"negative length", Cat({good, {1, 0, 0xFF, 0xFF, 0xFF, 0xFF}}), 2, u"", u""},
      {"length cut short", Cat({good, {1, 0, 5, 0}}), 2, u"", u""},
      {"name cut short", Cat({good, {1, 0, 50, 0, 0, 0, 'q', 0}}), 2, u"q", u""},
      {"type cut short", Cat({b_name, {2, 0, 9, 0, 0, 0, 'T', 0}}), 1, u"B", u"T"},
      {"value tag missing", Cat({b_name, kEmptyType}), 1, u"B", u""},
      {"image cut short",
       Cat({b_name, kEmptyType, {4, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}}), 1, u"B", u""},
      {"string image", Cat({b_name, kEmptyType, image_with_code(8)}), 1, u"B", u""},
      {"object image", Cat({b_name, kEmptyType, image_with_code(9)}), 1, u"B", u""},
      {"array image", Cat({b_name, kEmptyType, image_with_code(0x2002)}), 1, u"B", u""},
      {"by-reference image", Cat({b_name, kEmptyType, image_with_code(0x4003)}), 1, u"B", u""},
      {"unknown code", Cat({b_name, kEmptyType, image_with_code(21)}), 1, u"B", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyBagX bag;
    bag.WriteProperty(u"Stale", Variant::I2(1));
    try {
      bag.Contents(FromBytes(c.bytes));
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
