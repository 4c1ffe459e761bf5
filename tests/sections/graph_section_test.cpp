#include "sections/graph_section.h"

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

const SectionKey kKey = SectionTestPeer::Key();
const SettingsKey kObjectKey = SettingsTestPeer::Key();
const WString kSep(1, kPathSeparator);

TEST(GraphSectionTest, WorkedExample) {
  CGraph section;
  section.UseThemeSettings(kKey, true);
  WString text =
      Sheet({u"<style>", u".mstheme-navtxthome", u"{", u"navbutton-home-normal: url(home.gif);",
             u"font-weight: bold;", u"}", u"</style>"});
  section.LoadCss(kKey, u"w", text, 1);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(section.Index(kKey), 0);
  for (const WString& style : CGraph::StyleNames()) {
    EXPECT_EQ(section.Item(kKey, style)->Index(kObjectKey), 1) << ToUtf8(style);
  }
  auto home = section.Item(kKey, u"navtxthome");
  EXPECT_EQ(home->NavButtonHomeNormal(), u"home.gif");
  EXPECT_EQ(home->FontWeight(), u"bold");
  EXPECT_EQ(home->WorkingFolder(kObjectKey), u"w" + kSep);
  EXPECT_EQ(section.Item(kKey, u"base")->WorkingFolder(kObjectKey), u"") << "no rule closed";
  section.Index(kKey, 0);
  EXPECT_EQ(home->NavButtonHomeNormal(), u"") << "variant 0 untouched";
}

TEST(GraphSectionTest, ItemAcceptsBothSpellingsInAnyCase) {
  CGraph section;
  auto home = section.Item(kKey, u"navtxthome");
  EXPECT_EQ(section.Item(kKey, u"NavTxtHome"), home);
  EXPECT_EQ(section.Item(kKey, u"NAVTXTHOME"), home);
  EXPECT_EQ(section.Item(kKey, u"horiz-navtxt"), section.Item(kKey, u"HorizNavTxt"));
  EXPECT_EQ(section.Item(kKey, u"vert-navtxt"), section.Item(kKey, u"vertnavtxt"));
  for (const WString name : {u"navtxt", u"", u"body", u" base"}) {
    EXPECT_EQ(section.Item(kKey, name), nullptr) << ToUtf8(name);
  }
}

TEST(GraphSectionTest, SelectorNamesAndLineRules) {
  CGraph section;
  section.UseThemeSettings(kKey, true);
  WString text = Sheet({
      u".mstheme",
      u"{",
      u"NAV-BANNER-IMAGE: url(x.gif)",
      u"}",  // -> Base
      u".MSTHEME-bannertxt",
      u"{",
      u"\tcolor: rgb(1,1,1)",
      u"}",  // prefix case matters
      u"a:.mstheme-navtxtup",
      u"{",
      u"  color: rgb(2,2,2)",
      u"\tcolor: rgb(3,3,3)",
      u"}",
      u"navtxtnext",
      u"",
      u"{",
      u"\tfont-family: Arial ;",
      u"}",  // blank line -> Base
      u"vert-navtxt {",
      u"\tfont-family: Lost;",
      u"}",  // "{" not alone
  });
  section.LoadCss(kKey, u"w", text, 0);
  auto base = section.Item(kKey, u"base");
  EXPECT_EQ(base->NavBannerImage(), u"x.gif");
  EXPECT_EQ(base->FontFamily(), u"Arial ") << "space kept before the dropped semicolon";
  EXPECT_EQ(section.Item(kKey, u"bannertxt")->Color(), u"");
  EXPECT_EQ(section.Item(kKey, u"bannertxt")->WorkingFolder(kObjectKey), u"");
  EXPECT_EQ(section.Item(kKey, u"navtxtup")->Color(), u"#030303");
  EXPECT_EQ(section.Item(kKey, u"navtxtnext")->FontFamily(), u"");
  EXPECT_EQ(section.Item(kKey, u"vertnavtxt")->FontFamily(), u"");
}

TEST(GraphSectionTest, SecondRuleOverwritesOnlyWhatItNames) {
  CGraph section;
  section.UseThemeSettings(kKey, true);
  WString text = Sheet({u"bannertxt", u"{", u"font-family: A;", u"font-weight: bold;", u"}",
                        u"bannertxt", u"{", u"font-family: B;", u"}"});
  section.LoadCss(kKey, u"", text, 0);
  auto banner = section.Item(kKey, u"bannertxt");
  EXPECT_EQ(banner->FontFamily(), u"B");
  EXPECT_EQ(banner->FontWeight(), u"bold");
  EXPECT_EQ(banner->WorkingFolder(kObjectKey), kSep) << "an empty folder becomes the separator";
}

TEST(GraphSectionTest, FailuresStopTheParseAndKeepTheVariant) {
  CGraph section;
  section.UseThemeSettings(kKey, true);
  WString text =
      Sheet({u"p", u"{", u"font-family: fine;", u"}", u"base", u"{", u"font-family: stops;", u"}"});
  EXPECT_THROW(
      {
        try {
          section.LoadCss(kKey, u"", text, -1);
        } catch (const AutomationError& error) {
          EXPECT_EQ(error.Number(), 9);
          throw;
        }
      },
      AutomationError);
  EXPECT_EQ(section.Index(kKey), -1);
  EXPECT_EQ(text, u"}\r\n");

  section.Index(kKey, 0);
  text = Sheet({u"base", u"{", u"list-image-1: url(a.gif);", u"list-image-2: url(b.gif",
                u"list-image-3: url(c.gif);", u"}"});
  try {
    section.LoadCss(kKey, u"", text, 1);
    ADD_FAILURE() << "expected error 5";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.Number(), 5);
  }
  auto base = section.Item(kKey, u"base");
  EXPECT_EQ(base->ListImage1(), u"a.gif");
  EXPECT_EQ(base->ListImage3(), u"");
}

TEST(GraphSectionTest, SaveAndRestore) {
  auto section = std::make_shared<CGraph>();
  section->UseThemeSettings(kKey, true);
  section->IncludePath(kKey, true);
  WString text = Sheet({u"horiz-navtxt", u"{", u"navbutton-horiz-normal: url(h.gif);", u"}"});
  section->LoadCss(kKey, u"w", text, 1);
  section->Index(kKey, 1);
  section->Item(kKey, u"navtxtup")->NavButtonUpPushed(u"up.gif");

  PropertyBagX bag;
  section->WriteProperties(bag);
  ASSERT_EQ(bag.Entries().size(), 9u);
  EXPECT_EQ(bag.Entries()[0].Name, u"Index");
  EXPECT_EQ(bag.Entries()[8].Name, u"NavTxtUp");

  const auto restored = testing::RoundTrip(section);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), testing::SavedState(*section));
  EXPECT_EQ(restored->Index(kKey), 1);
  EXPECT_EQ(restored->Item(kKey, u"horiznavtxt")->NavButtonHorizNormal(), u"w" + kSep + u"h.gif");

  PropertyBagX empty;
  restored->ReadProperties(empty);
  EXPECT_EQ(restored->Index(kKey), 0) << "a bag lacking Index restores 0";
  EXPECT_EQ(restored->Item(kKey, u"horiznavtxt")->NavButtonHorizNormal(), u"");
}

}  // namespace
}  // namespace rxTheme
