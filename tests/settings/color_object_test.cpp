#include "settings/color_object.h"

#include <gtest/gtest.h>

#include "persist/property_bag.h"
#include "runtime/automation_error.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;
using testing::Sheet;

const SettingsKey kKey = SettingsTestPeer::Key();

// An object with different theme colors in its two variants.
CColorObject TwoVariantObject() {
  CColorObject object;
  object.Index(kKey, 0);
  object.ThemeColor(kKey, u"#000000");
  object.ThemeBackgroundColor(kKey, u"#FFFFFF");
  object.Index(kKey, 1);
  object.ThemeColor(kKey, u"#000080");
  object.ThemeBackgroundColor(kKey, u"#EEEEEE");
  object.Index(kKey, 0);
  return object;
}

TEST(ColorObjectTest, ThemeValueNeedsTheSwitchAndFollowsIndex) {
  CColorObject object = TwoVariantObject();
  EXPECT_EQ(object.Color(), u"");
  object.UseThemeSettings(true);
  EXPECT_EQ(object.Color(), u"#000000");
  EXPECT_EQ(object.BackgroundColor(), u"#FFFFFF");
  object.Index(kKey, 1);
  EXPECT_EQ(object.Color(), u"#000080") << "a change of Index needs no new let";
}

TEST(ColorObjectTest, CustomValueWinsOnlyWhenSetAndSwitchedOn) {
  CColorObject object = TwoVariantObject();
  object.Color(u"#123456");
  object.UseThemeSettings(true);
  EXPECT_EQ(object.Color(), u"#000000") << "custom value ignored while custom settings are off";
  object.UseCustomSettings(true);
  EXPECT_EQ(object.Color(), u"#123456");
  object.UseThemeSettings(false);
  EXPECT_EQ(object.Color(), u"#123456") << "custom value needs no theme settings";
  object.Color(u"");
  EXPECT_EQ(object.Color(), u"") << "empty custom value falls through, theme settings off";
  object.UseThemeSettings(true);
  EXPECT_EQ(object.Color(), u"#000000");
}

TEST(ColorObjectTest, VariantOutOfRangeFailsOnlyWhereTheThemeValueIsNeeded) {
  CColorObject object = TwoVariantObject();
  object.Index(kKey, 2);
  EXPECT_EQ(object.Color(), u"") << "theme settings off: Index not consulted";
  object.UseThemeSettings(true);
  EXPECT_EQ(ErrorNumberOf([&] { object.Color(); }), 9);
  object.UseCustomSettings(true);
  object.Color(u"#ABCDEF");
  EXPECT_EQ(object.Color(), u"#ABCDEF");
  EXPECT_EQ(ErrorNumberOf([&] { object.BackgroundColor(); }), 9);

  object.Index(kKey, -1);
  EXPECT_EQ(ErrorNumberOf([&] { object.ThemeColor(kKey, u"#111111"); }), 9);
  object.Index(kKey, 0);
  object.Color(u"");
  EXPECT_EQ(object.Color(), u"#000000") << "the failed theme store changed nothing";
}

TEST(ColorObjectTest, GenericPropertiesMatchTheNamedOnes) {
  CColorObject object;
  object.UseCustomSettings(true);
  for (size_t i = 0; i < 4; ++i) object.SetStringProperty(i, WString(1, u'a' + i));
  EXPECT_EQ(object.Color(), u"a");
  EXPECT_EQ(object.TableBorderColorDark(), u"d");
  EXPECT_EQ(object.GetStringProperty(2), object.TableBorderColorLight());
  EXPECT_EQ(ErrorNumberOf([&] { object.GetStringProperty(4); }), 9);
}

TEST(ColorObjectTest, EveryFieldSurvivesSaveAndRestore) {
  auto object = std::make_shared<CColorObject>();
  object->UseThemeSettings(true);
  object->UseCustomSettings(true);
  for (int16_t variant = 0; variant < 2; ++variant) {
    object->Index(kKey, variant);
    for (size_t i = 0; i < CColorObject::kPropertyCount; ++i) {
      object->ThemeValue(kKey, i, u"t" + WString(1, u'0' + variant) + WString(1, u'a' + i));
    }
  }
  for (size_t i = 0; i < CColorObject::kPropertyCount; ++i) {
    object->SetStringProperty(i, u"c" + WString(1, u'a' + i));
  }
  const auto state = testing::SavedState(*object);
  ASSERT_EQ(state.size(), 15u) << "no field is at its default";
  EXPECT_EQ(state.front().first, u"Index");
  EXPECT_EQ(state[3].first, u"Color(0)");
  EXPECT_EQ(state[7].first, u"Color(1)");
  EXPECT_EQ(state.back().first, u"CTableBorderColorDark");

  const auto restored = testing::RoundTrip(object);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), state);
  EXPECT_EQ(restored->Index(kKey), 1);
  EXPECT_EQ(restored->Color(), u"ca");
  restored->UseCustomSettings(false);
  EXPECT_EQ(restored->TableBorderColorDark(), u"t1d");
}

TEST(ColorObjectTest, DefaultsReadBackFromAnEmptyBag) {
  CColorObject fresh;
  EXPECT_TRUE(testing::SavedState(fresh).empty()) << "defaults are left out of the bag";
  CColorObject object = TwoVariantObject();
  object.UseThemeSettings(true);
  object.UseCustomSettings(true);
  object.Index(kKey, 1);
  PropertyBagX empty;
  object.ReadProperties(empty);
  EXPECT_EQ(object.Index(kKey), 0);
  EXPECT_FALSE(object.UseThemeSettings()) << "the color object's flag default is false";
  EXPECT_FALSE(object.UseCustomSettings());
  object.UseThemeSettings(true);
  EXPECT_EQ(object.Color(), u"");
}

TEST(ColorObjectTest, RestoreConvertsAndReportsBadValues) {
  CColorObject object;
  PropertyBagX bag;
  bag.WriteProperty(u"Index", Variant::R8(1.5));  // rounds half to even: 2
  bag.WriteProperty(u"UseThemeSettings", Variant::I4(7));
  bag.WriteProperty(u"Color(0)", Variant::I2(42));
  object.ReadProperties(bag);
  EXPECT_EQ(object.Index(kKey), 2) << "stored as read, no range check";
  EXPECT_TRUE(object.UseThemeSettings());
  object.Index(kKey, 0);
  EXPECT_EQ(object.Color(), u"42");

  PropertyBagX overflow;
  overflow.WriteProperty(u"Index", Variant::I4(40000));
  EXPECT_EQ(ErrorNumberOf([&] { object.ReadProperties(overflow); }), 6);
  PropertyBagX mismatch;
  mismatch.WriteProperty(u"UseCustomSettings", Variant(u"maybe"));
  EXPECT_EQ(ErrorNumberOf([&] { object.ReadProperties(mismatch); }), 13);
}

}  // namespace
}  // namespace rxTheme
