#include "runtime/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "runtime/automation_error.h"
#include "runtime/std_font.h"
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;

// Expected outcomes below: a value, or one of these markers.
constexpr int32_t kMismatch = 1 << 20, kOver = 1 << 21, kSkip = 1 << 22;

void ExpectOutcome(const std::function<int32_t()>& convert, int32_t want, const char* what) {
  if (want == kSkip) return;
  int32_t got = 0;
  int error = ErrorNumberOf([&] { got = convert(); });
  int want_error = want == kMismatch ? kTypeMismatch : want == kOver ? kOverflow : 0;
  EXPECT_EQ(error, want_error) << what;
  if (!want_error) {
    EXPECT_EQ(got, want) << what;
  }
}

// Each value's text (shortest that reads back), truth (non-zero is true) and
// 16-bit value (round half to even, range -32768..32767).
TEST(VariantTest, TextTruthAndIntegerOfEachValue) {
  const int32_t T = 1, F = 0;
  struct Case {
    Variant value;
    const char16_t* text;  // nullptr: type mismatch
    int32_t truth, i2;
  } cases[] = {
      {Variant(), u"", F, 0},
      {Variant::Null(), nullptr, kMismatch, kMismatch},
      {Variant::Obj(nullptr), nullptr, kSkip, kSkip},
      {Variant::Bool(true), u"True", T, -1},
      {Variant::Bool(false), u"False", F, 0},
      {Variant::I2(-32768), u"-32768", T, -32768},
      {Variant::I4(32767), u"32767", T, 32767},
      {Variant::I4(32768), u"32768", T, kOver},
      {Variant::UI1(255), u"255", T, 255},
      {Variant::R8(0.1), u"0.1", T, 0},
      {Variant::R4(0.1f), u"0.1", T, 0},  // not the double nearest the float
      {Variant::R8(2.5), u"2.5", T, 2},
      {Variant::R8(3.5), u"3.5", T, 4},
      {Variant::R8(-2.5), u"-2.5", T, -2},
      {Variant::R8(2.6), u"2.6", T, 3},
      {Variant::R8(-32768.5), u"-32768.5", T, -32768},
      {Variant::R8(-32769), u"-32769", T, kOver},
      {Variant::Currency(0), u"0", F, 0},
      {Variant::Currency(25000), u"2.5", T, 2},
      {Variant::Currency(35000), u"3.5", T, 4},
      {Variant::Currency(125000), u"12.5", T, 12},
      {Variant::Currency(120000), u"12", T, 12},
      {Variant::Currency(-5), u"-0.0005", T, 0},
      {Variant::Currency(std::numeric_limits<int64_t>::min()), u"-922337203685477.5808", T, kOver},
      {Variant::Dec({2, 0, 0, 12345}), u"123.45", T, 123},
      {Variant::Dec({3, 0x80, 0, 5}), u"-0.005", T, 0},
      {Variant::Dec({2, 0, 0, 1200}), u"12", T, 12},
      {Variant::Dec({0, 0, 1, 0}), u"18446744073709551616", T, kOver},
      {Variant(u" 12 "), u" 12 ", T, 12},
      {Variant(u"1.5"), u"1.5", T, 2},
      {Variant(u"-1"), u"-1", T, -1},
      {Variant(u"0.0"), u"0.0", F, 0},
      {Variant(u"true"), u"true", T, kSkip},
      {Variant(u" False "), u" False ", F, kSkip},
      {Variant(u""), u"", kMismatch, kSkip},
      {Variant(u"yes"), u"yes", kMismatch, kMismatch},
      {Variant(u"1x"), u"1x", kMismatch, kMismatch},
      {Variant(u"--1"), u"--1", kMismatch, kMismatch},
  };
  for (const Case& c : cases) {
    std::string what = c.text ? ToUtf8(c.text) : "no text";
    if (c.text) {
      EXPECT_EQ(c.value.ToString(), c.text);
    } else {
      EXPECT_EQ(ErrorNumberOf([&] { c.value.ToString(); }), kTypeMismatch) << what;
    }
    ExpectOutcome([&] { return c.value.ToBool() ? 1 : 0; }, c.truth, what.c_str());
    ExpectOutcome([&] { return c.value.ToI2(); }, c.i2, what.c_str());
  }
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(NAN).ToI2(); }), kOverflow);
  EXPECT_EQ(Variant::R8(2147483647.4).ToI4(), 2147483647);
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(2147483647.5).ToI4(); }), kOverflow);
  EXPECT_EQ(Variant::R8(12.34567).ToCurrency(), 123457);
  EXPECT_EQ(Variant::I2(-3).ToCurrency(), -30000);
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(1e300).ToCurrency(); }), kOverflow);
}

// Reals read as text with 15 significant digits (singles with 7), as the
// automation runtime writes them, whatever the process's locale.
TEST(VariantTest, RealsAsText) {
  const struct {
    Variant value;
    const char16_t* text;
  } cases[] = {
      {Variant::R8(1e20), u"1E+20"},
      {Variant::R8(1e-5), u"1E-05"},
      {Variant::R8(0.30000000000000004), u"0.3"},
      {Variant::R8(1.0 / 3), u"0.333333333333333"},
      {Variant::R8(123456789012345), u"123456789012345"},
      {Variant::R8(1e15), u"1E+15"},
      {Variant::R8(0.0001), u"0.0001"},
      {Variant::R8(-1.5e-300), u"-1.5E-300"},
      {Variant::R8(-0.0), u"0"},
      {Variant::R4(1.0f / 3), u"0.3333333"},
      {Variant::R4(16777216.0f), u"1.677722E+07"},
      {Variant::Date(45000.25), u"45000.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.ToString(), c.text);
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

  for (uint16_t code : {8, 9, 12, 13, 0x2002, 0x4002, 0x4003, 0x4008, 15, 16, 18, 21, 0xFFFF}) {
    VariantImage image{};
    image[0] = static_cast<uint8_t>(code);
    image[1] = static_cast<uint8_t>(code >> 8);
    EXPECT_FALSE(Variant::FromImage(image).has_value()) << code;
  }
  EXPECT_EQ(ErrorNumberOf([] { Variant(u"x").ToImage(); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant::Obj(nullptr).ToImage(); }), kTypeMismatch);
  // Raw accessors want their own type.
  EXPECT_EQ(ErrorNumberOf([] { Variant::I4(1).I2Value(); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant(u"s").ObjectValue(); }), kTypeMismatch);
}

}  // namespace
}  // namespace rxTheme
