// The three settings objects share their effective-value, variant, folder and
// persistence rules; typed suites check each rule for every object that has it.
#include <gtest/gtest.h>

#include <rxtheme/persist/property_bag.h>
#include "platform/env.h"
#include "settings/settings_objects.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;

const SettingsKey kKey = SettingsTestPeer::Key();
const WString kSep(1, kPathSeparator);

// What tells the objects apart: a letter per public position, 'p' for a
// picture; the one field that no position reaches (Version); the
// UseThemeSettings that a restore defaults to; and saved keys at fixed
// positions, the last one ending the saved state of an object with every field
// away from its default.
struct Traits {
  std::u16string_view positions;
  size_t internal_field;
  bool theme_default;
  std::vector<std::pair<size_t, const char16_t*>> keys;

  size_t Field(size_t position) const { return position + (position >= internal_field); }
};
constexpr size_t kNone = 99;
Traits Of(const ColorObjectImpl&) {
  return {u"tttt", kNone, false, {{7, u"Color(1)"}, {14, u"CTableBorderColorDark"}}};
}
Traits Of(const GraphObjectImpl&) {
  return {u"pppppppppppppppppppppppttttt",
          kNone,
          true,
          {{31, u"SeparatorImage(1)"}, {88, u"WorkingFolder"}}};
}
Traits Of(const BaseObjectImpl&) {
  return {u"ptpttttt", 1, true, {{3, u"Version"}, {12, u"CVersion"}, {21, u"WorkingFolder"}}};
}

// A theme value that names its field.
WString Tag(size_t field) { return WString(u"t") + static_cast<char16_t>(u'a' + field); }

template <class T>
class SettingsObjectTest : public ::testing::Test {};
using AllObjects = ::testing::Types<ColorObjectImpl, GraphObjectImpl, BaseObjectImpl>;
TYPED_TEST_SUITE(SettingsObjectTest, AllObjects);

// The effective value at every position: the positions skip Version and reach
// their fields; a position past the end raises 9.
TYPED_TEST(SettingsObjectTest, EffectiveValueRules) {
  struct Row {
    bool use_theme, use_custom;
    const char16_t *custom, *expected;  // "t": the field's theme value
  };
  const Row rows[] = {
      {false, false, u"c", u""}, {true, false, u"c", u"t"},  // custom ignored while off
      {false, true, u"c", u"c"},                             // custom needs no theme settings
      {true, true, u"c", u"c"},  {true, true, u"", u"t"},    // an empty custom value falls through
      {false, true, u"", u""},   {true, true, u" ", u" "},   // a single space counts as set
  };
  TypeParam object;
  const Traits traits = Of(object);
  const size_t count = traits.positions.size();
  for (size_t f = 0; f < TypeParam::kPropertyCount; ++f) object.ThemeValue(kKey, f, Tag(f));
  for (const Row& row : rows) {
    object.UseThemeSettings(row.use_theme);
    object.UseCustomSettings(row.use_custom);
    for (size_t i = 0; i < count; ++i) {
      object.SetStringProperty(i, row.custom);
      const WString expected = row.expected == WString(u"t") ? Tag(traits.Field(i)) : row.expected;
      EXPECT_EQ(object.GetStringProperty(i), expected) << i << row.use_theme << row.use_custom;
    }
  }
  EXPECT_EQ(ErrorNumberOf([&] { object.GetStringProperty(count); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { object.SetStringProperty(count, u"x"); }), 9);
}

// Every field away from its default survives a save and restore in a fixed key order; an
// empty bag restores the defaults, which are left out of the bag.
TYPED_TEST(SettingsObjectTest, SaveAndRestore) {
  auto object = std::make_shared<TypeParam>();
  const Traits traits = Of(*object);
  for (int16_t variant = 0; variant < 2; ++variant) {
    if constexpr (requires { object->Index(kKey, variant); }) object->Index(kKey, variant);
    for (size_t f = 0; f < TypeParam::kPropertyCount; ++f)
      object->ThemeValue(kKey, f, Tag(f + variant));
  }
  for (size_t i = 0; i < traits.positions.size(); ++i) object->SetStringProperty(i, u"c");
  object->UseThemeSettings(!traits.theme_default);
  object->UseCustomSettings(true);
  if constexpr (requires { object->IncludePath(kKey, true); }) {
    object->IncludePath(kKey, true);
    object->WorkingFolder(kKey, u"w");
  }
  // The custom Version is reached only by a restore.
  if constexpr (std::is_same_v<TypeParam, BaseObjectImpl>) {
    PropertyBagX seed;
    object->WriteProperties(seed);
    seed.WriteProperty(u"CVersion", Variant(u"2.0"));
    object->ReadProperties(seed);
  }
  const auto state = testing::SavedState(*object);
  ASSERT_EQ(state.size(), traits.keys.back().first + 1);
  for (const auto& [position, key] : traits.keys) EXPECT_EQ(state[position].first, key);
  const auto restored = testing::RoundTrip(object);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), state);

  PropertyBagX empty;
  restored->ReadProperties(empty);
  EXPECT_TRUE(testing::SavedState(*restored).empty());
}

template <class T>
class VariantObjectTest : public ::testing::Test {};
using VariantObjects = ::testing::Types<ColorObjectImpl, GraphObjectImpl>;
TYPED_TEST_SUITE(VariantObjectTest, VariantObjects);

// An Index without theme values fails only where a theme value is read or
// stored. (Which value an Index picks is pinned by LoaderTest.PiecesAreRoutedByName.)
TYPED_TEST(VariantObjectTest, ABadIndexFailsOnlyWhereItIsNeeded) {
  TypeParam object;
  object.ThemeValue(kKey, 0, u"t0");
  object.UseThemeSettings(true);
  object.Index(kKey, 2);
  EXPECT_EQ(ErrorNumberOf([&] { object.GetStringProperty(0); }), 9);
  object.UseCustomSettings(true);
  object.SetStringProperty(0, u"c");
  EXPECT_EQ(object.GetStringProperty(0), u"c");
  EXPECT_EQ(ErrorNumberOf([&] { object.GetStringProperty(1); }), 9);
  object.UseThemeSettings(false);
  EXPECT_EQ(object.GetStringProperty(1), u"") << "theme settings off: Index not consulted";

  object.Index(kKey, -1);
  EXPECT_EQ(ErrorNumberOf([&] { object.ThemeValue(kKey, 0, u"x"); }), 9);
  object.Index(kKey, 0);
  object.UseThemeSettings(true);
  object.SetStringProperty(0, u"");
  EXPECT_EQ(object.GetStringProperty(0), u"t0") << "the failed theme store changed nothing";
}

template <class T>
class FolderObjectTest : public ::testing::Test {};
using FolderObjects = ::testing::Types<GraphObjectImpl, BaseObjectImpl>;
TYPED_TEST_SUITE(FolderObjectTest, FolderObjects);

TYPED_TEST(FolderObjectTest, FolderGoesInFrontOfImagesOnly) {
  TypeParam object;
  const WString folder = WString(u"w") + kSep;
  for (size_t f = 0; f < TypeParam::kPropertyCount; ++f) object.ThemeValue(kKey, f, u"v");
  object.UseThemeSettings(true);
  object.IncludePath(kKey, true);
  EXPECT_EQ(object.GetStringProperty(0), u"v") << "no folder yet";
  object.WorkingFolder(kKey, u"w");
  const std::u16string_view positions = Of(object).positions;
  for (size_t i = 0; i < positions.size(); ++i) {
    EXPECT_EQ(object.GetStringProperty(i), positions[i] == u'p' ? folder + u"v" : u"v") << i;
  }
  object.UseThemeSettings(false);
  EXPECT_EQ(object.GetStringProperty(0), folder) << "the folder alone for an empty value";
  EXPECT_EQ(object.GetStringProperty(positions.size() - 1), u"");
  object.UseCustomSettings(true);
  object.SetStringProperty(0, u"c");
  EXPECT_EQ(object.GetStringProperty(0), folder + u"c") << "custom values too";

  object.WorkingFolder(kKey, folder);
  EXPECT_EQ(object.WorkingFolder(kKey), folder) << "one separator only";

  PropertyBagX bag;  // a restored folder is taken as stored
  bag.WriteProperty(u"IncludePath", Variant::Bool(true));
  bag.WriteProperty(u"WorkingFolder", Variant(u"w"));
  bag.WriteProperty(u"UseCustomSettings", Variant::I2(-1));
  bag.WriteProperty(WString(u"C") + TypeParam::Properties()[0].name, Variant(u"b.gif"));
  object.ReadProperties(bag);
  EXPECT_EQ(object.GetStringProperty(0), u"wb.gif");
}

// The restore converts stored values (one conversion for all three objects).
TEST(SettingsRestoreTest, ConvertsAndReportsBadValues) {
  ColorObjectImpl object;
  PropertyBagX bag;
  bag.WriteProperty(u"Index", Variant::R8(1.5));  // rounds half to even: 2, not range-checked
  bag.WriteProperty(u"UseCustomSettings", Variant::I4(7));
  bag.WriteProperty(u"CColor", Variant::I2(42));
  object.ReadProperties(bag);
  EXPECT_EQ(object.Index(kKey), 2);
  EXPECT_EQ(object.Color(), u"42");

  PropertyBagX mismatch;
  mismatch.WriteProperty(u"UseCustomSettings", Variant(u"maybe"));
  EXPECT_EQ(ErrorNumberOf([&] { object.ReadProperties(mismatch); }), 13);
}

}  // namespace
}  // namespace rxTheme
