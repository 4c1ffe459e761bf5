#include "sections/base_section.h"

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

class BaseSectionTest : public ::testing::Test {
 protected:
  void SetUp() override { section_.UseThemeSettings(kKey, true); }
  void Load(std::initializer_list<const char16_t*> lines) {
    WString text = Sheet(lines);
    section_.LoadCss(kKey, u"w", text);
    EXPECT_TRUE(text.empty());
  }
  std::shared_ptr<CThemeBaseObject> Item(const WString& name) { return section_.Item(kKey, name); }

  CThemeBase section_;
};

TEST_F(BaseSectionTest, FiveLineSheet) {
  Load({u"body", u"{", u"font-family: Arial;", u"color: rgb(0,0,0);", u"}"});
  EXPECT_EQ(Item(u"body")->FontFamily(), u"Arial");
  EXPECT_EQ(Item(u"body")->Color(), u"#000000");
  EXPECT_EQ(Item(u"body")->WorkingFolder(kObjectKey), u"") << "blocks set no folder";
}

TEST_F(BaseSectionTest, EveryDeclarationReachesItsField) {
  Load({u"h2", u"{", u"\ttop-bar-button: url(top.gif);", u"\tversion: url(1.0);",
        u"\tnavbutton-background-color: rgb(1,2,3);", u"\tbackground-image: url('bg.gif');",
        u"\tfont-weight: bold ;", u"\tcolor: #FFFFFF;", u"\tTEXT-ALIGN: center",
        u"\tvertical-align:top;", u"}"});
  auto h2 = Item(u"h2");
  EXPECT_EQ(h2->TopBarButton(), u"top.gif");
  EXPECT_EQ(h2->NavButtonBackgroundColor(), u"") << "read as url(...), which it is not";
  EXPECT_EQ(h2->BackgroundImage(), u"'bg.gif'") << "quotes kept inside a block";
  EXPECT_EQ(h2->FontWeight(), u"bold ");
  EXPECT_EQ(h2->Color(), u"");
  EXPECT_EQ(h2->TextAlign(), u"center");
  EXPECT_EQ(h2->VerticalAlign(), u"top");
  PropertyBagX bag;
  h2->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty(u"Version").ToString(), u"1.0");
}

TEST_F(BaseSectionTest, SelectorNames) {
  Load({u".mstheme",
        u"{",
        u"font-family: base;",
        u"}",  //
        u".mstheme-topbar-font",
        u"{",
        u"font-family: top;",
        u"}",  //
        u"  BODY  ",
        u"{",
        u"font-family: body;",
        u"}",  //
        u"A:h1",
        u"{",
        u"font-family: lost;",
        u"}",  //
        u"a:.mstheme-h3",
        u"{",
        u"font-family: h3;",
        u"}"});
  EXPECT_EQ(Item(u"base")->FontFamily(), u"base");
  EXPECT_EQ(Item(u"topbarfont")->FontFamily(), u"top");
  EXPECT_EQ(Item(u"body")->FontFamily(), u"body");
  EXPECT_EQ(Item(u"h1")->FontFamily(), u"");
  EXPECT_EQ(Item(u"h3")->FontFamily(), u"h3");
}

TEST_F(BaseSectionTest, UnknownSelectorBlockIsNotEntered) {
  Load({u"p", u"{", u"\tcolor: rgb(1,1,1);", u"}", u"{", u"\tfont-family: x;", u"}"});
  for (const WString& style : CThemeBase::StyleNames()) {
    EXPECT_EQ(Item(style)->Color(), u"") << ToUtf8(style);
    EXPECT_EQ(Item(style)->FontFamily(), u"") << ToUtf8(style);
  }
}

TEST_F(BaseSectionTest, BlockLinesAndBraces) {
  Load({u"h4", u"{ color: rgb(9,9,9); }",  // rest of the "{" line ignored; block open
        u"    color: rgb(1,1,1);",         // space-indented: ignored
        u"\tfont-weight: 700",             //
        u"\tcolor: rgb(2,2,2); }",         // not a closing line: stored
        u"\t{",                            // further "{" ignored
        u"   }   ",                        // closes
        u"\tfont-family: outside;"});      // a selector line now
  auto h4 = Item(u"h4");
  EXPECT_EQ(h4->Color(), u"#020202");
  EXPECT_EQ(h4->FontWeight(), u"700");
  EXPECT_EQ(h4->FontFamily(), u"");
}

TEST_F(BaseSectionTest, OneLineRules) {
  Load({u"p", u"body { background-image: url('b g.gif'); }",  // one-line path for body
        u"h1 { color: rgb(1,1,1); }",                         // only the folder is set
        u"h6", u"{", u"}", u"h5 { color: rgb(5,5,5); }"});    // opens h6 again
  auto body = Item(u"body");
  EXPECT_EQ(body->BackgroundImage(), u"b g.gif") << "quotes removed on this path";
  EXPECT_EQ(body->WorkingFolder(kObjectKey), u"w" + kSep);
  auto h1 = Item(u"h1");
  EXPECT_EQ(h1->Color(), u"");
  EXPECT_EQ(h1->WorkingFolder(kObjectKey), u"w" + kSep);
  EXPECT_EQ(Item(u"h6")->WorkingFolder(kObjectKey), u"");
  EXPECT_EQ(Item(u"h5")->WorkingFolder(kObjectKey), u"") << "h6 reopened instead";
  EXPECT_EQ(Item(u"h5")->Color(), u"");
}

TEST_F(BaseSectionTest, OneLineRuleQuirks) {
  // The first word decides the object; "body" anywhere sets its background.
  Load({u"p", u"h2 {x: url(h2.gif)} body", u"h3{ background-image: url(none.gif) }",
        u"topbar-font { body-color: red }"});
  EXPECT_EQ(Item(u"h2")->BackgroundImage(), u"h2.gif");
  EXPECT_EQ(Item(u"h3")->WorkingFolder(kObjectKey), u"") << "no space after the word";
  EXPECT_EQ(Item(u"topbarfont")->BackgroundImage(), u"") << "stored as empty: no url";
  EXPECT_EQ(Item(u"topbarfont")->WorkingFolder(kObjectKey), u"w" + kSep);
}

TEST_F(BaseSectionTest, UrlWithoutCloseFailsAndKeepsEarlierValues) {
  WString text = Sheet({u"h1", u"{", u"font-family: kept;", u"top-bar-button: url(x.gif",
                        u"font-weight: lost;", u"}"});
  try {
    section_.LoadCss(kKey, u"w", text);
    ADD_FAILURE() << "expected error 5";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.Number(), 5);
  }
  EXPECT_EQ(Item(u"h1")->FontFamily(), u"kept");
  EXPECT_EQ(Item(u"h1")->FontWeight(), u"");
}

TEST_F(BaseSectionTest, ItemNames) {
  EXPECT_EQ(Item(u"topbar-font"), Item(u"topbarfont"));
  EXPECT_EQ(Item(u"TopBarFont"), Item(u"topbarfont"));
  EXPECT_EQ(Item(u"h7"), nullptr);
  EXPECT_EQ(Item(u" body"), nullptr);
}

TEST_F(BaseSectionTest, SaveAndRestore) {
  Load({u"h1", u"{", u"font-family: Arial;", u"}", u"p", u"body { url(bg.gif) }"});
  Item(u"h6")->Color(u"#123456");
  section_.UseCustomSettings(kKey, true);
  auto saved = std::make_shared<CThemeBase>();
  PropertyBagX bag;
  section_.WriteProperties(bag);
  ASSERT_EQ(bag.Entries().size(), 9u);
  EXPECT_EQ(bag.Entries()[1].Name, u"TopBarFont");
  saved->ReadProperties(bag);
  const auto restored = testing::RoundTrip(saved);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), testing::SavedState(section_));
  EXPECT_EQ(restored->Item(kKey, u"h6")->Color(), u"#123456");
  EXPECT_EQ(restored->Item(kKey, u"body")->WorkingFolder(kObjectKey), u"w" + kSep);
}

}  // namespace
}  // namespace rxTheme
