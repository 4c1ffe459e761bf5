#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include <rxtheme/runtime/object_registry.h>
#include <rxtheme/theme/theme.h>
#include "theme/component.h"
#include "theme_test_util.h"

namespace rxTheme::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The theme's switches and variant indexes reach every object of its
// sections; an object's own switch stays its own. (The sections' tests pin
// how a style name finds its object.)
TEST(ThemeObject, SwitchesAndIndexesFanOutToTheSections) {
  CTheme theme;
  EXPECT_EQ(theme.Graph(u"body"), nullptr);  // each accessor asks its own section
  theme.UseCustomSettings(true);
  ForEachObject(theme, [](const WString&, auto object) {
    EXPECT_TRUE(object->UseCustomSettings());
    EXPECT_TRUE(object->UseThemeSettings());
  });
  theme.Color(u"h1")->UseCustomSettings(false);
  EXPECT_TRUE(theme.Color(u"h2")->UseCustomSettings());
  EXPECT_TRUE(theme.UseCustomSettings());
  theme.UseThemeSettings(false);
  ForEachObject(theme, [](const WString&, auto o) { EXPECT_FALSE(o->UseThemeSettings()); });
  EXPECT_FALSE(theme.UseThemeSettings());

  theme.ColorIndex(1);
  theme.GraphIndex(-7);
  theme.UseThemeSettings(true);
  EXPECT_EQ(ErrorText([&] { (void)theme.Graph(u"base")->SeparatorImage(); }),
            "9 rxTheme: Subscript out of range");
  // ClearTheme changes nothing.
  EXPECT_TRUE(theme.ClearTheme().IsEmpty());
  EXPECT_EQ(theme.GraphIndex(), -7);
}

TEST(ThemeObject, CreatableByProgId) {
  EXPECT_NE(std::dynamic_pointer_cast<CTheme>(CreateObject(u"RXTHEME.ctheme")), nullptr);
}

int32_t FakePicker(const std::shared_ptr<CTheme>& parent) {
  parent->CurrentThemeName(u"picked");
  return 1;
}

TEST(Component, SelectThemeUsesTheInstalledHandler) {
  auto theme = std::make_shared<CTheme>();
  auto other = std::make_shared<CTheme>();
  InstallSelectThemeHandler(&FakePicker);
  EXPECT_EQ(theme->SelectTheme(other), 1);
  EXPECT_EQ(other->CurrentThemeName(), u"picked");
  EXPECT_EQ(theme->CurrentThemeName(), u"");

  InstallSelectThemeHandler(nullptr);
  EXPECT_THAT(ErrorText([&] { theme->SelectTheme(theme); }),
              AllOf(StartsWith("429 "), HasSubstr("dialog toolkit")));
}

}  // namespace
}  // namespace rxTheme::testing
