#include "settings/graph_object.h"

#include <gtest/gtest.h>

#include "persist/property_bag.h"
#include "platform/env.h"
#include "runtime/automation_error.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;
using testing::Sheet;

const SettingsKey kKey = SettingsTestPeer::Key();
const WString kSep(1, kPathSeparator);

TEST(GraphObjectTest, ThemeValueFollowsVariantAndIgnoresCustomWhenSwitchedOff) {
  CGraphObject object;
  object.ThemeSeparatorImage(kKey, u"sep0.gif");
  object.Index(kKey, 1);
  object.ThemeSeparatorImage(kKey, u"sep1.gif");
  object.SeparatorImage(u"mine.gif");
  object.UseThemeSettings(true);
  EXPECT_EQ(object.SeparatorImage(), u"sep1.gif");
  object.Index(kKey, 0);
  EXPECT_EQ(object.SeparatorImage(), u"sep0.gif");
  object.UseCustomSettings(true);
  EXPECT_EQ(object.SeparatorImage(), u"mine.gif");
  object.SeparatorImage(u" ");
  EXPECT_EQ(object.SeparatorImage(), u" ") << "a single space counts as set";
  object.SeparatorImage(u"");
  EXPECT_EQ(object.SeparatorImage(), u"sep0.gif");
}

TEST(GraphObjectTest, FolderGoesInFrontOfEveryImageOnly) {
  CGraphObject object;
  object.UseThemeSettings(true);
  for (size_t i = 0; i < CGraphObject::kPropertyCount; ++i) object.ThemeValue(kKey, i, u"v");
  object.WorkingFolder(kKey, u"w");
  object.IncludePath(kKey, true);
  for (size_t i = 0; i < CGraphObject::kPropertyCount; ++i) {
    EXPECT_EQ(object.GetStringProperty(i), i < 23 ? u"w" + kSep + u"v" : u"v") << i;
  }
  EXPECT_EQ(object.NavBannerImage(), u"w" + kSep + u"v");
  EXPECT_EQ(object.Color(), u"v");

  object.UseThemeSettings(false);
  EXPECT_EQ(object.NavButtonUpPushed(), u"w" + kSep) << "the folder alone for an empty value";
  EXPECT_EQ(object.FontFamily(), u"");
}

TEST(GraphObjectTest, WorkingFolderSetterAppendsOneSeparator) {
  CGraphObject object;
  object.WorkingFolder(kKey, u"w");
  EXPECT_EQ(object.WorkingFolder(kKey), u"w" + kSep);
  object.WorkingFolder(kKey, u"w" + kSep);
  EXPECT_EQ(object.WorkingFolder(kKey), u"w" + kSep);
  object.WorkingFolder(kKey, u"");
  EXPECT_EQ(object.WorkingFolder(kKey), kSep);
}

TEST(GraphObjectTest, VariantOutOfRange) {
  CGraphObject object;
  object.Index(kKey, 2);
  object.IncludePath(kKey, true);
  EXPECT_EQ(object.ListImage1(), u"") << "no theme settings: Index not consulted";
  EXPECT_EQ(ErrorNumberOf([&] { object.ThemeListImage1(kKey, u"x"); }), 9);
  object.UseThemeSettings(true);
  EXPECT_EQ(ErrorNumberOf([&] { object.ListImage1(); }), 9);
  object.UseCustomSettings(true);
  object.ListImage1(u"c.gif");
  EXPECT_EQ(object.ListImage1(), u"c.gif") << "IncludePath with no folder adds nothing";
}

TEST(GraphObjectTest, EveryFieldSurvivesSaveAndRestore) {
  auto object = std::make_shared<CGraphObject>();
  for (int16_t variant = 0; variant < 2; ++variant) {
    object->Index(kKey, variant);
    for (size_t i = 0; i < CGraphObject::kPropertyCount; ++i) {
      object->ThemeValue(kKey, i, u"t" + WString(1, u'0' + variant) + WString(1, u'A' + i));
    }
  }
  for (size_t i = 0; i < CGraphObject::kPropertyCount; ++i) {
    object->SetStringProperty(i, u"c" + WString(1, u'A' + i));
  }
  object->UseCustomSettings(true);
  object->IncludePath(kKey, true);
  object->WorkingFolder(kKey, u"themes");
  // UseThemeSettings stays false: here false is the value that differs from the default.
  const auto state = testing::SavedState(*object);
  ASSERT_EQ(state.size(), 89u);
  EXPECT_EQ(state[3].first, u"SeparatorImage(0)");
  EXPECT_EQ(state[30].first, u"VerticalAlign(0)");
  EXPECT_EQ(state[31].first, u"SeparatorImage(1)");
  EXPECT_EQ(state[59].first, u"CSeparatorImage");
  EXPECT_EQ(state[87].first, u"IncludePath");
  EXPECT_EQ(state[88].first, u"WorkingFolder");

  const auto restored = testing::RoundTrip(object);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), state);
  EXPECT_EQ(restored->NavButtonHomeNormal(), u"themes" + kSep + u"cL");
}

TEST(GraphObjectTest, EmptyBagGivesDefaultsWithThemeSettingsOn) {
  CGraphObject fresh;
  fresh.UseThemeSettings(true);
  EXPECT_TRUE(testing::SavedState(fresh).empty()) << "true is this object's default";

  CGraphObject object;
  object.Index(kKey, 1);
  object.UseCustomSettings(true);
  object.IncludePath(kKey, true);
  object.WorkingFolder(kKey, u"w");
  object.ThemeColor(kKey, u"#FFFFFF");
  PropertyBagX empty;
  object.ReadProperties(empty);
  EXPECT_EQ(object.Index(kKey), 0);
  EXPECT_TRUE(object.UseThemeSettings());
  EXPECT_FALSE(object.UseCustomSettings());
  EXPECT_FALSE(object.IncludePath(kKey));
  EXPECT_EQ(object.WorkingFolder(kKey), u"");
  object.Index(kKey, 1);
  EXPECT_EQ(object.Color(), u"");
}

TEST(GraphObjectTest, RestoredFolderIsTakenAsStored) {
  PropertyBagX bag;
  bag.WriteProperty(u"IncludePath", Variant::Bool(true));
  bag.WriteProperty(u"WorkingFolder", Variant(u"w"));
  bag.WriteProperty(u"CListImage2", Variant(u"b.gif"));
  bag.WriteProperty(u"UseCustomSettings", Variant::I2(-1));
  CGraphObject object;
  object.ReadProperties(bag);
  EXPECT_EQ(object.ListImage2(), u"wb.gif");
}

}  // namespace
}  // namespace rxTheme
