#include "runtime/variant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <type_traits>

#include "runtime/automation_error.h"
#include "runtime/std_font.h"
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;

// What a conversion gives: a text or a number, or the error it raises.
struct Outcome {
  WString text{};
  int32_t number = 0;
  int error = 0;
  bool checked = true;
};
Outcome Is(const char16_t* text) { return {.text = text}; }
Outcome Is(int32_t number) { return {.number = number}; }
Outcome Raises(int error) { return {.error = error}; }
const Outcome kNotChecked{.checked = false};

template <typename Convert>
void Expect(const Outcome& want, Convert convert, const std::string& what) {
  if (!want.checked) return;
  decltype(convert()) got{};
  EXPECT_EQ(ErrorNumberOf([&] { got = convert(); }), want.error) << what;
  if (want.error) return;
  if constexpr (std::is_same_v<decltype(got), WString>) {
    EXPECT_EQ(got, want.text) << what;
  } else {
    EXPECT_EQ(got, want.number) << what;
  }
}

// Each value's text, truth (non-zero is true) and 16-bit value (round half to
// even, range -32768..32767).
TEST(VariantTest, TextTruthAndIntegerOfEachValue) {
  const Outcome kTrue = Is(1), kFalse = Is(0), kMismatch = Raises(kTypeMismatch),
                kOver = Raises(kOverflow);
  const struct {
    Variant value;
    Outcome text, truth, i2;
  } cases[] = {
      {Variant(), Is(u""), kFalse, Is(0)},
      {Variant::Null(), kMismatch, kMismatch, kMismatch},
      {Variant::Obj(nullptr), kMismatch, kNotChecked, kNotChecked},
      {Variant::Bool(true), Is(u"True"), kTrue, Is(-1)},
      {Variant::Bool(false), Is(u"False"), kFalse, Is(0)},
      {Variant::I2(-32768), Is(u"-32768"), kTrue, Is(-32768)},
      {Variant::I4(32767), Is(u"32767"), kTrue, Is(32767)},
      {Variant::I4(32768), Is(u"32768"), kTrue, kOver},
      {Variant::UI1(255), Is(u"255"), kTrue, Is(255)},
      {Variant::R8(0.1), Is(u"0.1"), kTrue, Is(0)},
      {Variant::R4(0.1f), Is(u"0.1"), kTrue, Is(0)},  // not the double nearest the float
      {Variant::R8(2.5), Is(u"2.5"), kTrue, Is(2)},
      {Variant::R8(3.5), Is(u"3.5"), kTrue, Is(4)},
      {Variant::R8(-2.5), Is(u"-2.5"), kTrue, Is(-2)},
      {Variant::R8(-32768.5), Is(u"-32768.5"), kTrue, Is(-32768)},
      {Variant::R8(-32769), Is(u"-32769"), kTrue, kOver},
      {Variant::R8(NAN), kNotChecked, kTrue, kOver},
      {Variant::Currency(0), Is(u"0"), kFalse, Is(0)},
      {Variant::Currency(25000), Is(u"2.5"), kTrue, Is(2)},
      {Variant::Currency(120000), Is(u"12"), kTrue, Is(12)},
      {Variant::Currency(-5), Is(u"-0.0005"), kTrue, Is(0)},
      {Variant::Currency(std::numeric_limits<int64_t>::min()), Is(u"-922337203685477.5808"), kTrue,
       kOver},
      {Variant::Dec({2, 0, 0, 12345}), Is(u"123.45"), kTrue, Is(123)},
      {Variant::Dec({3, 0x80, 0, 5}), Is(u"-0.005"), kTrue, Is(0)},
      {Variant::Dec({2, 0, 0, 1200}), Is(u"12"), kTrue, Is(12)},
      {Variant::Dec({0, 0, 1, 0}), Is(u"18446744073709551616"), kTrue, kOver},
      {Variant(u" 12 "), Is(u" 12 "), kTrue, Is(12)},
      {Variant(u"1.5"), Is(u"1.5"), kTrue, Is(2)},
      {Variant(u"-1"), Is(u"-1"), kTrue, Is(-1)},
      {Variant(u"0.0"), Is(u"0.0"), kFalse, Is(0)},
      {Variant(u" False "), Is(u" False "), kFalse, kNotChecked},
      {Variant(u"true"), Is(u"true"), kTrue, kNotChecked},
      {Variant(u""), Is(u""), kMismatch, kNotChecked},
      {Variant(u"yes"), Is(u"yes"), kMismatch, kMismatch},
      {Variant(u"1x"), Is(u"1x"), kMismatch, kMismatch},
      {Variant(u"--1"), Is(u"--1"), kMismatch, kMismatch},
  };
  for (const auto& c : cases) {
    const std::string what = c.text.checked && !c.text.error ? ToUtf8(c.text.text) : "no text";
    Expect(
        c.text, [&] { return c.value.ToString(); }, what);
    Expect(
        c.truth, [&] { return static_cast<int32_t>(c.value.ToBool()); }, what);
    Expect(
        c.i2, [&] { return static_cast<int32_t>(c.value.ToI2()); }, what);
  }
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
  const struct {
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
  for (const auto& c : cases) {
    EXPECT_EQ(VariantEquals(c.a, c.b), c.equal);
    EXPECT_EQ(VariantEquals(c.b, c.a), c.equal);
  }
}

VariantImage Image(uint16_t code, std::initializer_list<uint8_t> value_bytes) {
  VariantImage image{static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)};
  std::copy(value_bytes.begin(), value_bytes.end(), image.begin() + 8);
  return image;
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
      // A boolean stored as 1: true, and written back as 1.
      *Variant::FromImage(Image(11, {1, 0})),
  };
  for (const Variant& v : values) {
    VariantImage image = v.ToImage();
    EXPECT_EQ(image[0] | (image[1] << 8), static_cast<int>(v.Type()));
    std::optional<Variant> back = Variant::FromImage(image);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Type(), v.Type());
    if (!v.IsNull()) {
      EXPECT_TRUE(VariantEquals(*back, v));
    }
    EXPECT_EQ(back->ToImage(), image);
  }
  const Variant one = *Variant::FromImage(Image(11, {1, 0}));
  EXPECT_EQ(one.ToImage(), Image(11, {1, 0}));
  EXPECT_TRUE(VariantEquals(one, Variant::Bool(true)));
  EXPECT_EQ(one.ToString(), u"True");
  EXPECT_EQ(one.ToCurrency(), -10000);
}

TEST(VariantTest, ImageIgnoresUnusedBytesAndRefusesOtherTypes) {
  // Garbage in bytes a type does not use is ignored on read and zero on write.
  VariantImage dirty = {2, 0, 9, 9, 9, 9, 9, 9, 7, 0, 9, 9, 9, 9, 9, 9};
  std::optional<Variant> v = Variant::FromImage(dirty);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->I2Value(), 7);
  EXPECT_EQ(v->ToImage(), Image(2, {7}));
  ASSERT_TRUE(ClearUnusedImageBytes(dirty));
  EXPECT_EQ(dirty, Image(2, {7}));
  VariantImage decimal = {14, 0, 2, 0x80, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_EQ(Variant::FromImage(decimal)->ToImage(), decimal);  // bytes 2-15 all used

  for (uint16_t code : {8, 9, 12, 13, 0x2002, 0x4002, 0x4003, 0x4008, 15, 16, 18, 21, 0xFFFF}) {
    VariantImage image = Image(code, {});
    EXPECT_FALSE(Variant::FromImage(image).has_value()) << code;
    EXPECT_FALSE(ClearUnusedImageBytes(image)) << code;
  }
  EXPECT_EQ(ErrorNumberOf([] { Variant(u"x").ToImage(); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant::Obj(nullptr).ToImage(); }), kTypeMismatch);
  // Raw accessors want their own type.
  EXPECT_EQ(ErrorNumberOf([] { Variant::I4(1).I2Value(); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant(u"s").ObjectValue(); }), kTypeMismatch);
}

}  // namespace
}  // namespace rxTheme
