#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/property_bag.h"
#include "platform/mem_env.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "settings/base_object.h"
#include "settings/color_object.h"
#include "settings/graph_object.h"
#include "support/bag_round_trip.h"
#include "theme/theme.h"
#include "theme_test_util.h"

namespace rxTheme::testing {
namespace {

std::vector<WString> KeysOf(const PropertyBagX& bag) {
  std::vector<WString> keys;
  for (const PropertyEntry& e : bag.Entries()) keys.push_back(e.Name);
  return keys;
}

// Saves a theme the way a host does and restores it into a new object.
std::shared_ptr<CTheme> SaveAndRestore(CTheme& theme) {
  return RoundTrip(std::shared_ptr<CTheme>(&theme, [](CTheme*) {}));
}

// Every value a page can read from the theme, under its current switches.
template <class Section, class Getter>
void AddValues(std::vector<WString>& out, Getter get) {
  for (const WString& style : Section::StyleNames()) {
    auto object = get(style);
    out.push_back(style + (object->UseThemeSettings() ? u"+t" : u"-t") +
                  (object->UseCustomSettings() ? u"+c" : u"-c"));
    for (size_t i = 0; i < object->StringPropertyNames().size(); ++i) {
      out.push_back(object->GetStringProperty(i));
    }
  }
}
std::vector<WString> Snapshot(CTheme& t) {
  std::vector<WString> out = {t.WorkingFolder(), t.ThemesFolder(), t.CurrentThemeName(),
                              t.CurrentThemeFile(), VersionOf(t)};
  out.push_back(t.IncludePath() ? u"ip" : u"-");
  out.push_back(t.UseBackgroundImage() ? u"bg" : u"-");
  out.push_back(WString(1, static_cast<char16_t>(t.ColorIndex() + '0')) +
                static_cast<char16_t>(t.GraphIndex() + '0'));
  AddValues<CColor>(out, [&](const WString& s) { return t.Color(s); });
  AddValues<CGraph>(out, [&](const WString& s) { return t.Graph(s); });
  AddValues<CThemeBase>(out, [&](const WString& s) { return t.Base(s); });
  return out;
}

// The keys a host's saved state holds, in order; the folders only when set.
TEST(ThemePersistence, Keys) {
  CTheme theme;
  PropertyBagX bag;
  theme.WriteProperties(bag);
  EXPECT_EQ(KeysOf(bag), (std::vector<WString>{u"IncludePath", u"Version", u"CurrentThemeName",
                                               u"CurrentThemeFile", u"UseBackgroundImage",
                                               u"ThemeCSS", u"ColorCSS", u"GraphCSS"}));
  EXPECT_EQ(bag.Entries()[0].Value.Type(), VarType::Bool);
  EXPECT_EQ(bag.Entries()[1].Value.Type(), VarType::String);

  theme.ThemesFolder(u"/themes");
  theme.WorkingFolder(u"/w");
  PropertyBagX with_folders;
  theme.WriteProperties(with_folders);
  const std::vector<WString> keys = KeysOf(with_folders);
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
  // Custom values for every public string property, distinct per object.
  int n = 0;
  auto customise = [&](auto object) {
    for (size_t i = 0; i < object->StringPropertyNames().size(); ++i) {
      object->SetStringProperty(i, u"custom" + Widen(std::to_string(n++)));
    }
  };
  for (const WString& s : CColor::StyleNames()) customise(theme_.Color(s));
  for (const WString& s : CGraph::StyleNames()) customise(theme_.Graph(s));
  for (const WString& s : CThemeBase::StyleNames()) customise(theme_.Base(s));
  theme_.UseCustomSettings(true);
  theme_.UseThemeSettings(false);
  theme_.Color(u"h3")->UseCustomSettings(false);
  theme_.Graph(u"navtxtup")->UseThemeSettings(true);
  theme_.ThemesFolder(u"/themes");
  theme_.CurrentThemeName(u"Ember");
  theme_.CurrentThemeFile(u"/themes/ember/ember.elm");
  theme_.UseBackgroundImage(true);
  theme_.IncludePath(true);

  for (int16_t color : {0, 1}) {
    for (int16_t graph : {0, 1}) {
      theme_.ColorIndex(color);
      theme_.GraphIndex(graph);
      auto restored = SaveAndRestore(theme_);
      ASSERT_NE(restored, nullptr);
      // The theme object's own switches are not saved; the objects' are.
      EXPECT_FALSE(restored->UseCustomSettings());
      EXPECT_TRUE(restored->UseThemeSettings());
      EXPECT_EQ(restored->ColorIndex(), color);
      EXPECT_EQ(restored->GraphIndex(), graph);
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

  PropertyBagX odd;
  odd.WriteProperty(u"ThemeCSS", Variant::Obj(std::make_shared<CColor>()));
  odd.WriteProperty(u"ColorCSS", Variant::Obj(nullptr));
  odd.WriteProperty(u"GraphCSS", u"not a section");
  PropertyBagX copy;
  copy.Contents(odd.Contents());
  theme_.ReadProperties(copy);
  EXPECT_EQ(theme_.Base(u"h1"), base);
  EXPECT_EQ(theme_.Color(u"body")->Color(), body);
  EXPECT_EQ(theme_.Graph(u"base")->SeparatorImage(), separator);
}

}  // namespace
}  // namespace rxTheme::testing
