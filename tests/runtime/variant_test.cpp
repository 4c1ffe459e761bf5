#include <rxtheme/runtime/variant.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <type_traits>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/std_font.h>
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;

// Checks a conversion's result as text, or "error N" for the error it raises,
// against `expected` (nullptr: not checked).
template <class Convert>
void ExpectOutcome(const char* expected, Convert convert) {
  if (!expected) return;
  std::string out;
  const int error = ErrorNumberOf([&] {
    const auto value = convert();
    if constexpr (std::is_same_v<decltype(value), const WString>) {
      out = ToUtf8(value);
    } else {
      out = std::to_string(value);
    }
  });
  EXPECT_EQ(error ? "error " + std::to_string(error) : out, expected);
}

// Each value's text, truth (non-zero is true) and 16-bit value (round half to
// even, range -32768..32767); nullptr where a conversion is not checked.
TEST(VariantTest, TextTruthAndIntegerOfEachValue) {
  const char *kTrue = "1", *kFalse = "0", *kMismatch = "error 13", *kOver = "error 6",
             *kNotChecked = nullptr;
  const struct {
    Variant value;
    const char *text, *truth, *i2;
  } cases[] = {
      {Variant(), "", kFalse, "0"},
      {Variant::Null(), kMismatch, kMismatch, kMismatch},
      {Variant::Obj(nullptr), kMismatch, kNotChecked, kNotChecked},
      {Variant::Bool(true), "True", kTrue, "-1"},
      {Variant::Bool(false), "False", kFalse, "0"},
      {Variant::I2(-32768), "-32768", kTrue, "-32768"},
      {Variant::I4(32767), "32767", kTrue, "32767"},
      {Variant::I4(32768), "32768", kTrue, kOver},
      {Variant::UI1(255), "255", kTrue, "255"},
      {Variant::R8(0.1), "0.1", kTrue, "0"},
      {Variant::R4(0.1f), "0.1", kTrue, "0"},  // not the double nearest the float
      {Variant::R8(2.5), "2.5", kTrue, "2"},
      {Variant::R8(3.5), "3.5", kTrue, "4"},
      {Variant::R8(-2.5), "-2.5", kTrue, "-2"},
      {Variant::R8(-32768.5), "-32768.5", kTrue, "-32768"},
      {Variant::R8(-32769), "-32769", kTrue, kOver},
      {Variant::R8(NAN), kNotChecked, kTrue, kOver},
      {Variant::Currency(0), "0", kFalse, "0"},
      {Variant::Currency(25000), "2.5", kTrue, "2"},
      {Variant::Currency(120000), "12", kTrue, "12"},
      {Variant::Currency(-5), "-0.0005", kTrue, "0"},
      {Variant::Currency(std::numeric_limits<int64_t>::min()), "-922337203685477.5808", kTrue,
       kOver},
      {Variant::Dec({2, 0, 0, 12345}), "123.45", kTrue, "123"},
      {Variant::Dec({3, 0x80, 0, 5}), "-0.005", kTrue, "0"},
      {Variant::Dec({2, 0, 0, 1200}), "12", kTrue, "12"},
      {Variant::Dec({0, 0, 1, 0}), "18446744073709551616", kTrue, kOver},
      {Variant(u" 12 "), " 12 ", kTrue, "12"},
      {Variant(u"1.5"), "1.5", kTrue, "2"},
      {Variant(u"-1"), "-1", kTrue, "-1"},
      {Variant(u"0.0"), "0.0", kFalse, "0"},
      {Variant(u" False "), " False ", kFalse, kNotChecked},
      {Variant(u"true"), "true", kTrue, kNotChecked},
      {Variant(u""), "", kMismatch, kNotChecked},
      {Variant(u"yes"), "yes", kMismatch, kMismatch},
      {Variant(u"1x"), "1x", kMismatch, kMismatch},
      {Variant(u"--1"), "--1", kMismatch, kMismatch},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    ExpectOutcome(c.text, [&] { return c.value.ToString(); });
    ExpectOutcome(c.truth, [&] { return c.value.ToBool(); });
    ExpectOutcome(c.i2, [&] { return c.value.ToI2(); });
  }
  EXPECT_EQ(Variant::R8(2147483647.4).ToI4(), 2147483647);
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(2147483647.5).ToI4(); }), kOverflow);
  EXPECT_EQ(Variant::R8(12.34567).ToCurrency(), 123457);
  EXPECT_EQ(ErrorNumberOf([] { Variant::R8(1e300).ToCurrency(); }), kOverflow);
}

// Reals read as text with 15 significant digits (singles with 7), as the
// automation runtime writes them, whatever the process's locale.
TEST(VariantTest, RealsAsText) {
  const struct {
    Variant value;
    const char16_t* text;
  } cases[] = {
      // clang-format off
      {Variant::R8(1e20), u"1E+20"}, {Variant::R8(1e-5), u"1E-05"},
      {Variant::R8(0.30000000000000004), u"0.3"}, {Variant::R8(1.0 / 3), u"0.333333333333333"},
      {Variant::R8(123456789012345), u"123456789012345"}, {Variant::R8(1e15), u"1E+15"},
      {Variant::R8(0.0001), u"0.0001"}, {Variant::R8(-1.5e-300), u"-1.5E-300"},
      {Variant::R8(-0.0), u"0"}, {Variant::R4(1.0f / 3), u"0.3333333"},
      {Variant::R4(16777216.0f), u"1.677722E+07"}, {Variant::Date(45000.25), u"45000.25"},
      {Variant::R8(123456789012345.6), u"123456789012346"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.ToString(), c.text);
}

TEST(VariantTest, EqualityFollowsAutomationRules) {
  auto font = std::make_shared<StdFont>();
  const struct {
    Variant a, b;
    bool equal;
  } cases[] = {
      // clang-format off
      {Variant::Bool(false), Variant::I2(0), true}, {Variant::Bool(true), Variant::I4(-1), true},
      {Variant::I2(1), Variant::R8(1.0), true}, {Variant::Currency(10000), Variant::I2(1), true},
      {Variant::Dec({1, 0, 0, 15}), Variant::R8(1.5), true}, {Variant(), Variant::I2(0), true},
      {Variant(), Variant(u""), true}, {Variant(), Variant(), true},
      {Variant(u"a"), Variant(u"A"), false}, {Variant(u"1"), Variant::I2(1), false},
      {Variant(u""), Variant::I2(0), false}, {Variant::Null(), Variant::Null(), false},
      {Variant::Null(), Variant(), false}, {Variant::Obj(font), Variant::Obj(font), true},
      {Variant::Obj(font), Variant::Obj(nullptr), false},
      {Variant::R8(0.1), Variant::R4(0.1f), false},
      // clang-format on
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

// Every scalar type survives its 16-byte image; unused bytes are written as
// zero, and images of other types are refused.
TEST(VariantTest, ImagesOfScalarTypes) {
  // clang-format off
  const Variant values[] = {
      Variant(), Variant::Null(), Variant::I2(-2), Variant::I4(-70000), Variant::R4(1.5f),
      Variant::R8(-0.125), Variant::Currency(-123456789012345), Variant::Date(45000.5),
      Variant::Error(0x800A03E7), Variant::Bool(true), Variant::Bool(false), Variant::UI1(200),
      Variant::Dec({4, 0x80, 0x12345678, 0x9ABCDEF012345678ULL})};
  // clang-format on
  for (const Variant& v : values) {
    VariantImage image = v.ToImage();
    EXPECT_EQ(image[0] | (image[1] << 8), static_cast<int>(v.Type()));
    std::optional<Variant> back = Variant::FromImage(image);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Type(), v.Type());
    EXPECT_TRUE(v.IsNull() || VariantEquals(*back, v));
    EXPECT_EQ(back->ToImage(), image);
  }
  // A boolean stored as 1 (the contents codec pins that it is written back as 1).
  const Variant one = *Variant::FromImage(Image(11, {1, 0}));
  EXPECT_EQ(one.ToString(), u"True");
  EXPECT_EQ(one.ToCurrency(), -10000);
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
