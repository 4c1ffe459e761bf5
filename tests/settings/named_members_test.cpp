// The public settings objects' named gets and sets: each reaches the property
// of its own name, through the public class as a host holds it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include "settings/settings_objects.h"

namespace rxTheme {
namespace {

template <class Class>
struct Named {
  const char16_t* name;
  WString (Class::*get)() const;
  void (Class::*set)(const WString&);
};
#define RX_NAMED(Class, Name)                                         \
  Named<Class> {                                                      \
    u## #Name, static_cast<WString (Class::*)() const>(&Class::Name), \
        static_cast<void (Class::*)(const WString&)>(&Class::Name)    \
  }

// Every named member, in the order StringPropertyNames gives the names; a set
// through the name is read back at that position and through the get, and
// leaves every other position alone.
template <class Class, class Impl>
void CheckNamed(const std::vector<Named<Class>>& members) {
  ASSERT_EQ(Class::StringPropertyNames().size(), members.size());
  for (size_t i = 0; i < members.size(); ++i) {
    EXPECT_EQ(Class::StringPropertyNames()[i], members[i].name);
    auto impl = std::make_shared<Impl>();
    std::shared_ptr<Class> object = impl;
    object->UseCustomSettings(true);
    ((*object).*members[i].set)(u"v");
    EXPECT_EQ(((*object).*members[i].get)(), u"v") << i;
    for (size_t j = 0; j < members.size(); ++j)
      EXPECT_EQ(object->GetStringProperty(j), i == j ? u"v" : u"") << i << " " << j;
    EXPECT_TRUE(impl->UseCustomSettings());
  }
}

TEST(NamedMembersTest, ColorObject) {
  CheckNamed<CColorObject, ColorObjectImpl>({RX_NAMED(CColorObject, Color),
                                             RX_NAMED(CColorObject, BackgroundColor),
                                             RX_NAMED(CColorObject, TableBorderColorLight),
                                             RX_NAMED(CColorObject, TableBorderColorDark)});
}

TEST(NamedMembersTest, GraphObject) {
  CheckNamed<CGraphObject, GraphObjectImpl>({
      RX_NAMED(CGraphObject, SeparatorImage),
      RX_NAMED(CGraphObject, ListImage1),
      RX_NAMED(CGraphObject, ListImage2),
      RX_NAMED(CGraphObject, ListImage3),
      RX_NAMED(CGraphObject, NavBannerImage),
      RX_NAMED(CGraphObject, NavButtonHorizNormal),
      RX_NAMED(CGraphObject, NavButtonHorizHovered),
      RX_NAMED(CGraphObject, NavButtonHorizPushed),
      RX_NAMED(CGraphObject, NavButtonVertNormal),
      RX_NAMED(CGraphObject, NavButtonVertHovered),
      RX_NAMED(CGraphObject, NavButtonVertPushed),
      RX_NAMED(CGraphObject, NavButtonHomeNormal),
      RX_NAMED(CGraphObject, NavButtonHomeHovered),
      RX_NAMED(CGraphObject, NavButtonHomePushed),
      RX_NAMED(CGraphObject, NavButtonNextNormal),
      RX_NAMED(CGraphObject, NavButtonNextHovered),
      RX_NAMED(CGraphObject, NavButtonNextPushed),
      RX_NAMED(CGraphObject, NavButtonPrevNormal),
      RX_NAMED(CGraphObject, NavButtonPrevHovered),
      RX_NAMED(CGraphObject, NavButtonPrevPushed),
      RX_NAMED(CGraphObject, NavButtonUpNormal),
      RX_NAMED(CGraphObject, NavButtonUpHovered),
      RX_NAMED(CGraphObject, NavButtonUpPushed),
      RX_NAMED(CGraphObject, FontFamily),
      RX_NAMED(CGraphObject, FontWeight),
      RX_NAMED(CGraphObject, Color),
      RX_NAMED(CGraphObject, TextAlign),
      RX_NAMED(CGraphObject, VerticalAlign),
  });
}

TEST(NamedMembersTest, BaseObject) {
  CheckNamed<CThemeBaseObject, BaseObjectImpl>({
      RX_NAMED(CThemeBaseObject, TopBarButton),
      RX_NAMED(CThemeBaseObject, NavButtonBackgroundColor),
      RX_NAMED(CThemeBaseObject, BackgroundImage),
      RX_NAMED(CThemeBaseObject, FontFamily),
      RX_NAMED(CThemeBaseObject, FontWeight),
      RX_NAMED(CThemeBaseObject, Color),
      RX_NAMED(CThemeBaseObject, TextAlign),
      RX_NAMED(CThemeBaseObject, VerticalAlign),
  });
}

}  // namespace
}  // namespace rxTheme
