#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/theme/theme.h>
#include "support/bag_round_trip.h"
#include "support/mem_env.h"
#include "theme_test_util.h"

namespace rxTheme::testing {
namespace {

// Every value a page can read from the theme, under its current switches.
std::vector<WString> Snapshot(CTheme& t) {
  std::vector<WString> out = {
      t.WorkingFolder(),
      t.ThemesFolder(),
      t.CurrentThemeName(),
      t.CurrentThemeFile(),
      VersionOf(t),
      Widen(std::to_string(t.IncludePath() * 1000 + t.UseBackgroundImage() * 100 +
                           t.ColorIndex() * 10 + t.GraphIndex()))};
  ForEachObject(t, [&out](const WString& style, auto object) {
    out.push_back(style + (object->UseThemeSettings() ? u"+t" : u"-t") +
                  (object->UseCustomSettings() ? u"+c" : u"-c"));
    for (size_t i = 0; i < object->StringPropertyNames().size(); ++i) {
      out.push_back(object->GetStringProperty(i));
    }
  });
  return out;
}

// The keys a host's saved state holds, in order; the folders only when set.
TEST(ThemePersistence, Keys) {
  CTheme theme;
  PropertyBagX bag;
  theme.WriteProperties(bag);
  EXPECT_EQ(EntryNames(bag), (std::vector<WString>{u"IncludePath", u"Version", u"CurrentThemeName",
                                                   u"CurrentThemeFile", u"UseBackgroundImage",
                                                   u"ThemeCSS", u"ColorCSS", u"GraphCSS"}));
  EXPECT_EQ(bag.Entries()[0].Value.Type(), VarType::Bool);
  EXPECT_EQ(bag.Entries()[1].Value.Type(), VarType::String);

  theme.ThemesFolder(u"/themes");
  theme.WorkingFolder(u"/w");
  PropertyBagX with_folders;
  theme.WriteProperties(with_folders);
  const std::vector<WString> keys = EntryNames(with_folders);
  EXPECT_EQ(std::vector<WString>(keys.begin(), keys.begin() + 3),
            (std::vector<WString>{u"WorkingFolder", u"ThemesFolder", u"IncludePath"}));
  EXPECT_EQ(keys.size(), 10u);
}

class LoadedTheme : public ::testing::Test {
 protected:
  // A sample theme, loaded in memory.
  LoadedTheme() : scope_(env_) {
    env_.AddFolder(u"/w");
    env_.AddFile(u"/ember.elm", SamplePackage("ember"));
    theme_.WorkingFolder(u"/w");
    theme_.Load(u"/ember.elm");
  }
  MemEnv env_;
  ScopedEnv scope_;
  CTheme theme_;
};

TEST_F(LoadedTheme, SaveAndRestoreKeepsEveryValue) {
  auto customise = [n = 0](const WString&, auto object) mutable {
    for (size_t i = 0; i < object->StringPropertyNames().size(); ++i) {
      object->SetStringProperty(i, u"custom" + Widen(std::to_string(n++)));
    }
  };
  // Applied in turn; after each, a restored copy reads the same values.
  // clang-format off
  const std::pair<const char*, std::function<void(CTheme&)>> steps[] = {
      {"as loaded", [](CTheme&) {}},
      {"custom values, distinct per property", [&](CTheme& t) { ForEachObject(t, customise); }},
      {"switches of the theme and of two objects", [](CTheme& t) {
         t.UseCustomSettings(true); t.UseThemeSettings(false);
         t.Color(u"h3")->UseCustomSettings(false); t.Graph(u"navtxtup")->UseThemeSettings(true); }},
      {"names, folders and page switches", [](CTheme& t) {
         t.ThemesFolder(u"/themes"); t.UseBackgroundImage(true); t.IncludePath(true);
         t.CurrentThemeName(u"Ember"); t.CurrentThemeFile(u"/themes/ember/ember.elm"); }},
      {"vivid colors", [](CTheme& t) { t.ColorIndex(1); }},
      {"vivid colors, active graphics", [](CTheme& t) { t.GraphIndex(1); }},
  };
  // clang-format on
  for (const auto& [what, apply] : steps) {
    SCOPED_TRACE(what);
    apply(theme_);
    auto restored = RoundTrip(std::shared_ptr<CTheme>(&theme_, [](CTheme*) {}));
    ASSERT_NE(restored, nullptr);
    // The theme object's own switches are not saved; the objects' are.
    EXPECT_FALSE(restored->UseCustomSettings());
    EXPECT_TRUE(restored->UseThemeSettings());
    EXPECT_EQ(Snapshot(*restored), Snapshot(theme_));
    // Theme values of both variants came through too.
    for (bool custom : {false, true}) {
      for (CTheme* t : {restored.get(), &theme_}) {
        t->UseThemeSettings(true);
        t->UseCustomSettings(custom);
      }
      EXPECT_EQ(Snapshot(*restored), Snapshot(theme_));
    }
  }
  EXPECT_NE(theme_.Color(u"body")->Color(), u"");
}

TEST_F(LoadedTheme, RestoringReplacesTheSectionsItFinds) {
  auto before = theme_.Color(u"body");
  PropertyBagX bag;
  theme_.WriteProperties(bag);
  theme_.ReadProperties(bag);
  EXPECT_NE(theme_.Color(u"body"), before);
  EXPECT_EQ(theme_.Color(u"body")->Color(), before->Color());

  // Missing keys give their defaults; missing or foreign sections keep the
  // current ones.
  theme_.UseBackgroundImage(true);
  theme_.IncludePath(true);
  const WString body = theme_.Color(u"body")->Color();
  const WString separator = theme_.Graph(u"base")->SeparatorImage();
  auto base = theme_.Base(u"h1");
  PropertyBagX empty;
  theme_.ReadProperties(empty);
  EXPECT_FALSE(theme_.UseBackgroundImage());
  EXPECT_FALSE(theme_.IncludePath());
  EXPECT_EQ(VersionOf(theme_), u"");
  EXPECT_EQ(theme_.Color(u"body")->Color(), body);

  PropertyBagX odd, copy;
  odd.WriteProperty(u"ThemeCSS", Variant::Obj(std::make_shared<CColor>()));
  odd.WriteProperty(u"ColorCSS", Variant::Obj(nullptr));
  odd.WriteProperty(u"GraphCSS", u"not a section");
  copy.Contents(odd.Contents());
  theme_.ReadProperties(copy);
  EXPECT_EQ(theme_.Base(u"h1"), base);
  EXPECT_EQ(theme_.Color(u"body")->Color(), body);
  EXPECT_EQ(theme_.Graph(u"base")->SeparatorImage(), separator);
}

}  // namespace
}  // namespace rxTheme::testing
