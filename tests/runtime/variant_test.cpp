#include "runtime/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "runtime/automation_error.h"
#include "runtime/std_font.h"
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;

TEST(VariantTest, ToStringGivesShortestTextThatReadsBack) {
  struct Case {
    Variant value;
    const char16_t* text;
  } cases[] = {
      {Variant(), u""},
      {Variant::Bool(true), u"True"},
      {Variant::Bool(false), u"False"},
      {Variant::I2(-32768), u"-32768"},
      {Variant::UI1(255), u"255"},
      {Variant::R8(0.1), u"0.1"},
      {Variant::R8(2.5), u"2.5"},
      {Variant::R4(0.1f), u"0.1"},  // not the double nearest the float
      {Variant::Currency(125000), u"12.5"},
      {Variant::Currency(120000), u"12"},
      {Variant::Currency(-5), u"-0.0005"},
      {Variant::Currency(std::numeric_limits<int64_t>::min()), u"-922337203685477.5808"},
      {Variant::Dec({2, 0, 0, 12345}), u"123.45"},
      {Variant::Dec({3, 0x80, 0, 5}), u"-0.005"},
      {Variant::Dec({2, 0, 0, 1200}), u"12"},
      {Variant::Dec({0, 0, 1, 0}), u"18446744073709551616"},
      {Variant(u"text"), u"text"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.ToString(), c.text) << ToUtf8(c.text);
  EXPECT_EQ(Variant::R8(1.0 / 3).ToDouble(), Variant(Variant::R8(1.0 / 3).ToString()).ToDouble());
  for (const Variant& v : {Variant::Null(), Variant::Obj(nullptr)}) {
    EXPECT_EQ(ErrorNumberOf([&] { v.ToString(); }), kTypeMismatch);
  }
}

TEST(VariantTest, ToBoolAcceptsNumbersAndBooleanOrNumericText) {
  for (const Variant& v : {Variant::I2(2), Variant::R8(0.25), Variant(u"true"), Variant(u"-1")}) {
    EXPECT_TRUE(v.ToBool()) << ToUtf8(v.ToString());
  }
  for (const Variant& v : {Variant::Currency(0), Variant(), Variant(u" False "), Variant(u"0.0")}) {
    EXPECT_FALSE(v.ToBool()) << ToUtf8(v.ToString());
  }
  for (const Variant& v :
       {Variant(u""), Variant(u"yes"), Variant(u"1x"), Variant(u"--1"), Variant::Null()}) {
    EXPECT_EQ(ErrorNumberOf([&] { v.ToBool(); }), kTypeMismatch);
  }
}

TEST(VariantTest, IntegerConversionsRoundHalfToEvenAndCheckRange) {
  struct Case {
    Variant value;
    int32_t expected;  // or an error number below
    int error;
  } i2_cases[] = {
      {Variant::R8(2.5), 2, 0},
      {Variant::R8(3.5), 4, 0},
      {Variant::R8(-2.5), -2, 0},
      {Variant::R8(2.6), 3, 0},
      {Variant::Currency(25000), 2, 0},
      {Variant::Currency(35000), 4, 0},
      {Variant(u" 12 "), 12, 0},
      {Variant(u"1.5"), 2, 0},
      {Variant::Bool(true), -1, 0},
      {Variant(), 0, 0},
      {Variant::I4(32767), 32767, 0},
      {Variant::I4(32768), 0, kOverflow},
      {Variant::R8(-32768.5), -32768, 0},
      {Variant::R8(-32769), 0, kOverflow},
      {Variant(u"abc"), 0, kTypeMismatch},
      {Variant::Null(), 0, kTypeMismatch},
      {Variant::R8(NAN), 0, kOverflow},
  };
  for (const Case& c : i2_cases) {
    int16_t got = 0;
    int error = ErrorNumberOf([&] { got = c.value.ToI2(); });
    EXPECT_EQ(error, c.error) << ToUtf8(c.value.IsNull() ? u"Null" : c.value.ToString());
    if (!c.error) {
      EXPECT_EQ(got, c.expected);
    }
  }
  EXPECT_EQ(Variant::R8(2147483647.4).ToI4(), 2147483647);
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(2147483647.5).ToI4(); }), kOverflow);
  EXPECT_EQ(Variant::R8(12.34567).ToCurrency(), 123457);
  EXPECT_EQ(Variant::I2(-3).ToCurrency(), -30000);
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(1e300).ToCurrency(); }), kOverflow);
}

TEST(VariantTest, EqualityFollowsAutomationRules) {
  auto font = std::make_shared<StdFont>();
  struct Case {
    Variant a, b;
    bool equal;
  } cases[] = {
      {Variant::Bool(false), Variant::I2(0), true},
      {Variant::Bool(true), Variant::I4(-1), true},
      {Variant::I2(1), Variant::R8(1.0), true},
      {Variant::Currency(10000), Variant::I2(1), true},
      {Variant::Dec({1, 0, 0, 15}), Variant::R8(1.5), true},
      {Variant(), Variant::I2(0), true},
      {Variant(), Variant(u""), true},
      {Variant(), Variant(), true},
      {Variant(u"a"), Variant(u"A"), false},
      {Variant(u"1"), Variant::I2(1), false},
      {Variant(u""), Variant::I2(0), false},
      {Variant::Null(), Variant::Null(), false},
      {Variant::Null(), Variant(), false},
      {Variant::Obj(font), Variant::Obj(font), true},
      {Variant::Obj(font), Variant::Obj(nullptr), false},
      {Variant::R8(0.1), Variant::R4(0.1f), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VariantEquals(c.a, c.b), c.equal);
    EXPECT_EQ(VariantEquals(c.b, c.a), c.equal);
  }
}

TEST(VariantTest, ImageRoundTripsEveryScalarType) {
  const Variant values[] = {
      Variant(),
      Variant::Null(),
      Variant::I2(-2),
      Variant::I4(-70000),
      Variant::R4(1.5f),
      Variant::R8(-0.125),
      Variant::Currency(-123456789012345),
      Variant::Date(45000.5),
      Variant::Error(0x800A03E7),
      Variant::Bool(true),
      Variant::Bool(false),
      Variant::UI1(200),
      Variant::Dec({4, 0x80, 0x12345678, 0x9ABCDEF012345678ULL}),
  };
  for (const Variant& v : values) {
    VariantImage image = v.ToImage();
    EXPECT_EQ(image[0] | (image[1] << 8), static_cast<int>(v.Type()));
    if (v.Type() != VarType::Decimal) {
      for (int i = 2; i < 8; ++i) EXPECT_EQ(image[i], 0) << "reserved byte " << i;
    }
    std::optional<Variant> back = Variant::FromImage(image);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Type(), v.Type());
    if (!v.IsNull()) {
      EXPECT_TRUE(VariantEquals(*back, v));
    }
    EXPECT_EQ(back->ToImage(), image);
  }
}

TEST(VariantTest, ImageIgnoresUnusedBytesAndRefusesOtherTypes) {
  // Garbage in bytes a type does not use is ignored on read and zero on write.
  VariantImage dirty = {2, 0, 9, 9, 9, 9, 9, 9, 7, 0, 9, 9, 9, 9, 9, 9};
  std::optional<Variant> v = Variant::FromImage(dirty);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->I2Value(), 7);
  EXPECT_EQ(v->ToImage(), (VariantImage{2, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0}));

  for (uint16_t code : {8, 9, 12, 13, 0x2002, 0x4002, 0x4008, 15, 16, 18, 0xFFFF}) {
    VariantImage image{};
    image[0] = static_cast<uint8_t>(code);
    image[1] = static_cast<uint8_t>(code >> 8);
    EXPECT_FALSE(Variant::FromImage(image).has_value()) << code;
  }
  EXPECT_EQ(ErrorNumberOf([] { Variant(u"x").ToImage(); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant::Obj(nullptr).ToImage(); }), kTypeMismatch);
}

TEST(VariantTest, RawAccessorsRequireTheirType) {
  EXPECT_EQ(ErrorNumberOf([] { Variant::I4(1).I2Value(); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant(u"s").ObjectValue(); }), kTypeMismatch);
}

}  // namespace
}  // namespace rxTheme
