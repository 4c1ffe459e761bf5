#include "settings/base_object.h"

#include <gtest/gtest.h>

#include "persist/property_bag.h"
#include "platform/env.h"
#include "support/bag_round_trip.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

const SettingsKey kKey = SettingsTestPeer::Key();
const WString kSep(1, kPathSeparator);

TEST(BaseObjectTest, PublicPropertiesLeaveOutVersion) {
  EXPECT_EQ(CThemeBaseObject::StringPropertyNames(),
            (std::vector<WString>{u"TopBarButton", u"NavButtonBackgroundColor", u"BackgroundImage",
                                  u"FontFamily", u"FontWeight", u"Color", u"TextAlign",
                                  u"VerticalAlign"}));
  CThemeBaseObject object;
  object.UseThemeSettings(true);
  object.ThemeVersion(kKey, u"1.0");
  object.ThemeNavButtonBackgroundColor(kKey, u"nav");
  for (size_t i = 0; i < 8; ++i) EXPECT_NE(object.GetStringProperty(i), u"1.0") << i;
  EXPECT_EQ(object.GetStringProperty(1), u"nav");
  object.UseCustomSettings(true);
  object.SetStringProperty(7, u"top");
  EXPECT_EQ(object.VerticalAlign(), u"top");
}

TEST(BaseObjectTest, EffectiveValueRules) {
  CThemeBaseObject object;
  object.ThemeFontFamily(kKey, u"Arial");
  EXPECT_EQ(object.FontFamily(), u"");
  object.UseThemeSettings(true);
  EXPECT_EQ(object.FontFamily(), u"Arial");
  object.FontFamily(u"Verdana");
  EXPECT_EQ(object.FontFamily(), u"Arial");
  object.UseCustomSettings(true);
  object.UseThemeSettings(false);
  EXPECT_EQ(object.FontFamily(), u"Verdana");
  object.FontFamily(u"");
  EXPECT_EQ(object.FontFamily(), u"");
  object.UseThemeSettings(true);
  EXPECT_EQ(object.FontFamily(), u"Arial");
}

TEST(BaseObjectTest, FolderRuleCoversTheTwoImagesOnly) {
  CThemeBaseObject object;
  object.UseThemeSettings(true);
  object.ThemeBackgroundImage(kKey, u"bg.gif");
  object.ThemeFontFamily(kKey, u"Arial");
  object.IncludePath(kKey, true);
  EXPECT_EQ(object.BackgroundImage(), u"bg.gif") << "no folder yet";
  object.WorkingFolder(kKey, u"w");
  EXPECT_EQ(object.BackgroundImage(), u"w" + kSep + u"bg.gif");
  EXPECT_EQ(object.TopBarButton(), u"w" + kSep) << "the folder alone for an empty value";
  EXPECT_EQ(object.FontFamily(), u"Arial");
  object.UseCustomSettings(true);
  object.TopBarButton(u"top.gif");
  EXPECT_EQ(object.TopBarButton(), u"w" + kSep + u"top.gif") << "custom values too";
  object.WorkingFolder(kKey, u"");
  EXPECT_EQ(object.WorkingFolder(kKey), kSep);
}

TEST(BaseObjectTest, EveryFieldSurvivesSaveAndRestoreVersionIncluded) {
  auto object = std::make_shared<CThemeBaseObject>();
  for (size_t i = 0; i < CThemeBaseObject::kPropertyCount; ++i) {
    object->ThemeValue(kKey, i, u"t" + WString(1, u'A' + i));
  }
  for (size_t i = 0; i < 8; ++i) object->SetStringProperty(i, u"c" + WString(1, u'A' + i));
  object->UseCustomSettings(true);
  object->IncludePath(kKey, true);
  object->WorkingFolder(kKey, u"w");

  // The custom version is reached only through saved state.
  PropertyBagX seed;
  object->WriteProperties(seed);
  seed.WriteProperty(u"CVersion", Variant(u"2.0"));
  object->ReadProperties(seed);

  const auto state = testing::SavedState(*object);
  ASSERT_EQ(state.size(), 22u);
  EXPECT_EQ(state[0].first, u"UseCustomSettings");
  EXPECT_EQ(state[3].first, u"Version");
  EXPECT_EQ(state[12].first, u"CVersion");
  EXPECT_EQ(state[12].second, u"|2.0");
  EXPECT_EQ(state[21].first, u"WorkingFolder");

  const auto restored = testing::RoundTrip(object);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), state);
  EXPECT_EQ(restored->BackgroundImage(), u"w" + kSep + u"cC");
}

TEST(BaseObjectTest, EmptyBagAndStoredFolder) {
  CThemeBaseObject object;
  object.UseCustomSettings(true);
  object.IncludePath(kKey, true);
  object.WorkingFolder(kKey, u"w");
  object.ThemeColor(kKey, u"#FFFFFF");
  PropertyBagX empty;
  object.ReadProperties(empty);
  EXPECT_TRUE(object.UseThemeSettings());
  EXPECT_FALSE(object.UseCustomSettings());
  EXPECT_FALSE(object.IncludePath(kKey));
  EXPECT_EQ(object.WorkingFolder(kKey), u"");
  EXPECT_EQ(object.Color(), u"");

  PropertyBagX bag;
  bag.WriteProperty(u"IncludePath", Variant::Bool(true));
  bag.WriteProperty(u"WorkingFolder", Variant(u"w"));
  bag.WriteProperty(u"BackgroundImage", Variant(u"bg.gif"));
  object.ReadProperties(bag);
  EXPECT_EQ(object.BackgroundImage(), u"wbg.gif") << "no separator added on restore";
}

}  // namespace
}  // namespace rxTheme
